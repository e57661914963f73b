// PrintTicketDocument: creating Print Schema elements in the document's own prefixes.
#include <string>

#include "dom_strings.h"
#include "feature_record_support.h"
#include "kx/hresult_error.h"
#include "print_ticket_document.h"

namespace kx {
namespace {

std::u16string IntegerText(int value) {
  const std::string narrow = std::to_string(value);
  return std::u16string(narrow.begin(), narrow.end());
}

// A new node of the type, name and namespace, attached to nothing.
HRESULT CreateNode(IXMLDOMDocument2* dom, DOMNodeType type, std::u16string_view name,
                   std::u16string_view namespaceUri, ComPtr<IXMLDOMNode>* node) {
  VARIANT typeValue;
  VariantInit(&typeValue);
  typeValue.vt = VT_I4;
  typeValue.lVal = type;
  return dom->createNode(typeValue, NewBstr(name).Get(), NewBstr(namespaceUri).Get(),
                         node->ReleaseAndGetAddressOf());
}

}  // namespace

HRESULT PrintTicketDocument::CreateElement(std::u16string_view localName, Element* element) const {
  if (!element) return E_POINTER;
  element->Reset();
  if (!dom_) return E_PENDING;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMNode> node;
    const HRESULT hr =
        CreateNode(dom_.Get(), NODE_ELEMENT, frameworkPrefix_ + std::u16string(localName),
                   kFrameworkNamespace, &node);
    if (FAILED(hr)) return hr;
    return node.As(*element);
  });
}

HRESULT PrintTicketDocument::SetAttribute(IXMLDOMElement* element, std::u16string_view name,
                                          std::u16string_view namespaceUri,
                                          std::u16string_view value) const {
  if (!element) return E_POINTER;
  if (!dom_) return E_PENDING;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMNode> node;
    HRESULT hr = CreateNode(dom_.Get(), NODE_ATTRIBUTE, name, namespaceUri, &node);
    ComPtr<IXMLDOMAttribute> attribute;
    if (SUCCEEDED(hr)) hr = node.As(attribute);
    ScopedVariant text;
    SetVariantText(text.Out(), value);
    if (SUCCEEDED(hr)) hr = attribute->put_value(text.Get());
    ComPtr<IXMLDOMAttribute> replaced;
    if (SUCCEEDED(hr))
      hr = element->setAttributeNode(attribute.Get(), replaced.ReleaseAndGetAddressOf());
    return hr;
  });
}

HRESULT PrintTicketDocument::CreateNamed(std::u16string_view elementName,
                                         std::u16string_view namePrefix, std::u16string_view name,
                                         Element* created) const {
  HRESULT hr = CreateElement(elementName, created);
  if (SUCCEEDED(hr)) {
    hr = HResultBoundary([&] {
      return SetAttribute(created->Get(), u"name", u"",
                          std::u16string(namePrefix) + std::u16string(name));
    });
  }
  if (FAILED(hr) && created) created->Reset();
  return hr;
}

HRESULT PrintTicketDocument::CreateFeature(std::u16string_view namePrefix, std::u16string_view name,
                                           Element* feature) const {
  return CreateNamed(u"Feature", namePrefix, name, feature);
}

HRESULT PrintTicketDocument::CreateOption(std::u16string_view namePrefix, std::u16string_view name,
                                          Element* option) const {
  HRESULT hr = name.empty() ? CreateElement(u"Option", option)
                            : CreateNamed(u"Option", namePrefix, name, option);
  if (SUCCEEDED(hr) && isCapabilities_) {
    hr = HResultBoundary([&] {
      return SetAttribute(option->Get(), u"constrained", u"", keywordsPrefix_ + u"None");
    });
    if (FAILED(hr)) option->Reset();
  }
  return hr;
}

HRESULT PrintTicketDocument::CreateProperty(std::u16string_view namePrefix,
                                            std::u16string_view name, Element* property) const {
  return CreateNamed(u"Property", namePrefix, name, property);
}

HRESULT PrintTicketDocument::CreateScoredProperty(std::u16string_view namePrefix,
                                                  std::u16string_view name,
                                                  Element* scoredProperty) const {
  return CreateNamed(u"ScoredProperty", namePrefix, name, scoredProperty);
}

HRESULT PrintTicketDocument::AppendValue(IXMLDOMElement* parent, std::u16string_view type,
                                         std::u16string_view text) const {
  return HResultBoundary([&] {
    Element value;
    HRESULT hr = CreateElement(u"Value", &value);
    if (SUCCEEDED(hr))
      hr = SetAttribute(value.Get(), schemaInstancePrefix_ + u"type", kSchemaInstanceNamespace,
                        schemaPrefix_ + std::u16string(type));
    if (SUCCEEDED(hr)) hr = value->put_text(NewBstr(text).Get());
    if (SUCCEEDED(hr)) hr = AppendChild(parent, value.Get());
    return hr;
  });
}

HRESULT PrintTicketDocument::CreateValueProperty(std::u16string_view namePrefix,
                                                 std::u16string_view name, std::u16string_view type,
                                                 std::u16string_view text,
                                                 Element* property) const {
  HRESULT hr = CreateProperty(namePrefix, name, property);
  if (SUCCEEDED(hr)) hr = AppendValue(property->Get(), type, text);
  if (FAILED(hr) && property) property->Reset();
  return hr;
}

HRESULT PrintTicketDocument::CreateIntegerProperty(std::u16string_view namePrefix,
                                                   std::u16string_view name, int value,
                                                   Element* property) const {
  return HResultBoundary([&] {
    return CreateValueProperty(namePrefix, name, u"integer", IntegerText(value), property);
  });
}

HRESULT PrintTicketDocument::CreateValueScoredProperty(std::u16string_view namePrefix,
                                                       std::u16string_view name,
                                                       std::u16string_view type,
                                                       std::u16string_view text,
                                                       Element* scoredProperty) const {
  if (type.empty() || text.empty()) return E_INVALIDARG;
  HRESULT hr = CreateScoredProperty(namePrefix, name, scoredProperty);
  if (SUCCEEDED(hr)) hr = AppendValue(scoredProperty->Get(), type, text);
  if (FAILED(hr) && scoredProperty) scoredProperty->Reset();
  return hr;
}

HRESULT PrintTicketDocument::CreateStringScoredProperty(std::u16string_view namePrefix,
                                                        std::u16string_view name,
                                                        std::u16string_view text,
                                                        Element* scoredProperty) const {
  return CreateValueScoredProperty(namePrefix, name, u"string", text, scoredProperty);
}

HRESULT PrintTicketDocument::CreateIntegerScoredProperty(std::u16string_view namePrefix,
                                                         std::u16string_view name, int value,
                                                         Element* scoredProperty) const {
  return HResultBoundary([&] {
    return CreateValueScoredProperty(namePrefix, name, u"integer", IntegerText(value),
                                     scoredProperty);
  });
}

HRESULT PrintTicketDocument::CreateRefScoredProperty(std::u16string_view namePrefix,
                                                     std::u16string_view name,
                                                     IXMLDOMElement* parameterRef,
                                                     Element* scoredProperty) const {
  if (!parameterRef) return E_POINTER;
  HRESULT hr = CreateScoredProperty(namePrefix, name, scoredProperty);
  if (SUCCEEDED(hr)) hr = AppendChild(scoredProperty->Get(), parameterRef);
  if (FAILED(hr) && scoredProperty) scoredProperty->Reset();
  return hr;
}

HRESULT PrintTicketDocument::CreateParameter(std::u16string_view namePrefix,
                                             std::u16string_view name, std::u16string_view type,
                                             std::u16string_view text, Element* parameterRef,
                                             Element* parameterInit) const {
  if (!parameterInit) return E_POINTER;
  Element reference;
  HRESULT hr = S_OK;
  if (parameterRef) hr = CreateNamed(u"ParameterRef", namePrefix, name, &reference);
  if (SUCCEEDED(hr)) hr = CreateNamed(u"ParameterInit", namePrefix, name, parameterInit);
  if (SUCCEEDED(hr)) hr = AppendValue(parameterInit->Get(), type, text);
  if (FAILED(hr)) {
    parameterInit->Reset();
    return hr;
  }
  if (parameterRef) *parameterRef = std::move(reference);
  return S_OK;
}

HRESULT PrintTicketDocument::CreateIntegerParameter(std::u16string_view name, int value,
                                                    Element* parameterRef,
                                                    Element* parameterInit) const {
  return HResultBoundary([&] {
    return CreateParameter(keywordsPrefix_, name, u"integer", IntegerText(value), parameterRef,
                           parameterInit);
  });
}

HRESULT PrintTicketDocument::CreatePrivateIntegerParameter(std::u16string_view name, int value,
                                                           Element* parameterInit) const {
  return HResultBoundary([&] {
    return CreateParameter(privatePrefix_, name, u"integer", IntegerText(value), nullptr,
                           parameterInit);
  });
}

HRESULT PrintTicketDocument::CreateFeatureWithOption(bool privateFeature,
                                                     std::u16string_view featureName,
                                                     Element* feature, Element* option) const {
  if (!feature || !option) return E_POINTER;
  HRESULT hr =
      CreateFeature(privateFeature ? privatePrefix_ : keywordsPrefix_, featureName, feature);
  if (SUCCEEDED(hr)) hr = CreateOption(u"", u"", option);
  if (SUCCEEDED(hr)) hr = AppendChild(feature->Get(), option->Get());
  if (FAILED(hr)) {
    feature->Reset();
    option->Reset();
  }
  return hr;
}

HRESULT PrintTicketDocument::SetFeatureOption(bool privateFeature, std::u16string_view featureName,
                                              bool privateOption, std::u16string_view optionName,
                                              Element* feature, Element* option) const {
  HRESULT hr = CreateFeatureWithOption(privateFeature, featureName, feature, option);
  if (SUCCEEDED(hr)) {
    hr = HResultBoundary([&] {
      return SetAttribute(
          option->Get(), u"name", u"",
          (privateOption ? privatePrefix_ : keywordsPrefix_) + std::u16string(optionName));
    });
  }
  if (FAILED(hr)) {
    feature->Reset();
    option->Reset();
  }
  return hr;
}

}  // namespace kx
