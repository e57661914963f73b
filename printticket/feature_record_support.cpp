#include "feature_record_support.h"

#include "kx/hresult_error.h"

namespace kx {
namespace {

HRESULT PrivatePropertyPath(const PrintTicketDocument& document, std::u16string_view name,
                            TicketQuery* query) {
  *query = document.NewQuery();
  return query->AddProperty(document.PrivatePrefix(), name);
}

}  // namespace

int IndexOfName(std::initializer_list<std::u16string_view> names, std::u16string_view value) {
  int index = 0;
  for (std::u16string_view name : names) {
    if (name == value) return index;
    ++index;
  }
  return -1;
}

std::u16string_view NameAt(std::initializer_list<std::u16string_view> names, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= names.size()) return {};
  return names.begin()[index];
}

HRESULT PrivatePropertyExists(const PrintTicketDocument& document, std::u16string_view name) {
  TicketQuery query = document.NewQuery();
  const HRESULT hr = PrivatePropertyPath(document, name, &query);
  return FAILED(hr) ? hr : document.NodeExists(query.Path());
}

HRESULT ReadPrivateValue(const PrintTicketDocument& document, std::u16string_view name,
                         std::u16string* value) {
  TicketQuery query = document.NewQuery();
  const HRESULT hr = PrivatePropertyPath(document, name, &query);
  return FAILED(hr) ? hr : document.GetValue(query.Path(), value);
}

HRESULT ReadPrivateInt(const PrintTicketDocument& document, std::u16string_view name, int* value) {
  TicketQuery query = document.NewQuery();
  const HRESULT hr = PrivatePropertyPath(document, name, &query);
  return FAILED(hr) ? hr : document.GetValueInt(query.Path(), value);
}

HRESULT GetPrivateSubFeatureOption(const PrintTicketDocument& document,
                                   std::u16string_view featureName,
                                   std::u16string_view subFeatureName, std::u16string* option) {
  bool isPrivate = false;  // asked for, so that the private prefix comes off
  return document.GetSubFeatureOption(document.KeywordsPrefix(), featureName,
                                      document.PrivatePrefix(), subFeatureName, option, &isPrivate);
}

HRESULT SelectRootForWriting(const PrintTicketDocument& document, ComPtr<IXMLDOMNode>* root) {
  const HRESULT hr = document.SelectRoot(root);
  return hr == S_FALSE ? E_FAIL : hr;
}

HRESULT AppendChild(IXMLDOMNode* parent, IXMLDOMNode* child) {
  if (!parent || !child) return E_POINTER;
  ComPtr<IXMLDOMNode> appended;
  return parent->appendChild(child, appended.ReleaseAndGetAddressOf());
}

}  // namespace kx
