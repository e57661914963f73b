// PrintTicketDocument: reading options and values.
#include <climits>

#include "dom_strings.h"
#include "kx/hresult_error.h"
#include "print_ticket_document.h"

namespace kx {
namespace {

// The text of a node as its typed value.
HRESULT TypedText(IXMLDOMNode* node, std::u16string* text) {
  ScopedVariant value;
  const HRESULT hr = node->get_nodeTypedValue(value.Out());
  if (FAILED(hr)) return hr;
  *text = VariantText(value.Get());
  return S_OK;
}

HRESULT ContentText(IXMLDOMNode* node, std::u16string* text) {
  UniqueBstr content;
  const HRESULT hr = node->get_text(content.ResetAndGetAddressOf());
  if (FAILED(hr)) return hr;
  *text = std::u16string(content.View());
  return S_OK;
}

}  // namespace

int ParseTicketInteger(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

HRESULT PrintTicketDocument::FeatureExists(std::u16string_view featureName) const {
  TicketQuery query = NewQuery();
  const HRESULT hr = query.AddFeature(keywordsPrefix_, featureName);
  return FAILED(hr) ? hr : NodeExists(query.Path());
}

HRESULT PrintTicketDocument::StripKeywordPrefix(std::u16string* value, bool* privateName) const {
  if (!value) return E_POINTER;
  if (value->empty()) return E_INVALIDARG;
  if (privateName) *privateName = false;
  // An undeclared namespace has an empty prefix, which must not claim every name.
  if (privateName && !privatePrefix_.empty() && value->starts_with(privatePrefix_)) {
    value->erase(0, privatePrefix_.size());
    *privateName = true;
  } else if (!keywordsPrefix_.empty() && value->starts_with(keywordsPrefix_)) {
    value->erase(0, keywordsPrefix_.size());
  }
  return S_OK;
}

HRESULT PrintTicketDocument::GetAttribute(IXMLDOMNode* node, std::u16string_view name,
                                          std::u16string* text) const {
  if (!node || !text) return E_POINTER;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMElement> element;
    HRESULT hr = node->QueryInterface(IID_IXMLDOMElement, element.ReleaseAndGetVoidAddressOf());
    if (FAILED(hr)) return S_FALSE;  // only elements have attributes
    ScopedVariant value;
    hr = element->getAttribute(NewBstr(name).Get(), value.Out());
    if (hr != S_OK) return hr;
    *text = VariantText(value.Get());
    return S_OK;
  });
}

HRESULT PrintTicketDocument::ReadOption(const TicketQuery& featureQuery, std::u16string* optionName,
                                        bool* privateName) const {
  TicketQuery query = featureQuery;
  HRESULT hr = query.AddOptionOrValue(keywordsPrefix_);
  if (FAILED(hr)) return hr;
  ComPtr<IXMLDOMNode> option;
  hr = SelectNode(query.Path(), &option);
  if (hr != S_OK) return hr == S_FALSE ? kElementNotFound : hr;
  hr = GetAttribute(option.Get(), u"name", optionName);
  if (hr == S_FALSE) hr = TypedText(option.Get(), optionName);
  if (FAILED(hr)) return hr;
  if (optionName->empty()) return kElementNotFound;
  return StripKeywordPrefix(optionName, privateName);
}

HRESULT PrintTicketDocument::GetFeatureOption(std::u16string_view namePrefix,
                                              std::u16string_view featureName,
                                              std::u16string* optionName, bool* privateName) const {
  if (!optionName) return E_POINTER;
  if (featureName.empty()) return E_INVALIDARG;
  TicketQuery query = NewQuery();
  const HRESULT hr = query.AddFeature(namePrefix, featureName);
  return FAILED(hr) ? hr : ReadOption(query, optionName, privateName);
}

HRESULT PrintTicketDocument::GetSubFeatureOption(std::u16string_view featurePrefix,
                                                 std::u16string_view featureName,
                                                 std::u16string_view subFeaturePrefix,
                                                 std::u16string_view subFeatureName,
                                                 std::u16string* optionName,
                                                 bool* privateName) const {
  if (!optionName) return E_POINTER;
  optionName->clear();
  if (featureName.empty() || subFeatureName.empty()) return E_INVALIDARG;
  TicketQuery query = NewQuery();
  HRESULT hr = query.AddFeature(featurePrefix, featureName);
  if (SUCCEEDED(hr)) hr = query.AddFeature(subFeaturePrefix, subFeatureName);
  return FAILED(hr) ? hr : ReadOption(query, optionName, privateName);
}

HRESULT PrintTicketDocument::GetValue(std::u16string_view path, std::u16string* text) const {
  if (!text) return E_POINTER;
  text->clear();
  return HResultBoundary([&] {
    ComPtr<IXMLDOMNode> node;
    HRESULT hr = SelectNode(path, &node);
    if (hr != S_OK) return hr == S_FALSE ? kElementNotFound : hr;

    ComPtr<IXMLDOMNode> child;
    hr = node->selectSingleNode(NewBstr(frameworkPrefix_ + u"Value").Get(),
                                child.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    if (child) return TypedText(child.Get(), text);

    hr = node->selectSingleNode(NewBstr(frameworkPrefix_ + u"ParameterRef").Get(),
                                child.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    if (!child) return kElementNotFound;
    std::u16string reference;
    hr = GetAttribute(child.Get(), u"name", &reference);
    if (hr != S_OK) return FAILED(hr) ? hr : kElementNotFound;

    ComPtr<IXMLDOMNodeList> inits;
    hr = SelectNodes(u"//" + frameworkPrefix_ + u"ParameterInit", &inits);
    if (FAILED(hr)) return hr;
    ComPtr<IXMLDOMNode> init;
    while (inits->nextNode(init.ReleaseAndGetAddressOf()) == S_OK && init) {
      std::u16string name;
      if (GetAttribute(init.Get(), u"name", &name) == S_OK && name == reference)
        return ContentText(init.Get(), text);
    }
    return kElementNotFound;
  });
}

HRESULT PrintTicketDocument::GetValueInt(std::u16string_view path, int* value) const {
  if (!value) return E_POINTER;
  std::u16string text;
  const HRESULT hr = GetValue(path, &text);
  if (SUCCEEDED(hr)) *value = ParseTicketInteger(text);
  return hr;
}

HRESULT PrintTicketDocument::GetScoredPropertyValue(std::u16string_view featureName,
                                                    std::u16string_view scoredPropertyName,
                                                    std::u16string* text) const {
  TicketQuery query = NewQuery();
  HRESULT hr = query.AddFeature(keywordsPrefix_, featureName);
  if (SUCCEEDED(hr)) hr = query.AddScoredProperty(keywordsPrefix_, scoredPropertyName);
  return FAILED(hr) ? hr : GetValue(query.Path(), text);
}

HRESULT PrintTicketDocument::GetScoredPropertyInt(std::u16string_view featureName,
                                                  std::u16string_view scoredPropertyName,
                                                  int* value) const {
  if (!value) return E_POINTER;
  std::u16string text;
  const HRESULT hr = GetScoredPropertyValue(featureName, scoredPropertyName, &text);
  if (SUCCEEDED(hr)) *value = ParseTicketInteger(text);
  return hr;
}

}  // namespace kx
