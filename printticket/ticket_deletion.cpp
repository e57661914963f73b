// PrintTicketDocument: deleting features, properties and parameters.
#include <vector>

#include "kx/hresult_error.h"
#include "print_ticket_document.h"

namespace kx {
namespace {

// The name attributes of every node in the list.
HRESULT NamesOf(const PrintTicketDocument& document, IXMLDOMNodeList* nodes,
                std::vector<std::u16string>* names) {
  ComPtr<IXMLDOMNode> node;
  while (nodes->nextNode(node.ReleaseAndGetAddressOf()) == S_OK && node) {
    std::u16string name;
    const HRESULT hr = document.GetAttribute(node.Get(), u"name", &name);
    if (FAILED(hr)) return hr;
    if (hr == S_OK) names->push_back(std::move(name));
  }
  return S_OK;
}

}  // namespace

HRESULT PrintTicketDocument::DeleteFeatures(std::u16string_view namePrefix,
                                            std::u16string_view featureName) const {
  return HResultBoundary([&] {
    TicketQuery query = NewQuery();
    HRESULT hr = query.AddFeature(namePrefix, featureName);
    if (FAILED(hr)) return hr;
    const std::u16string parameterInits = u"//" + frameworkPrefix_ + u"ParameterInit";
    const std::u16string parameterRefs = query.Path() + u"//" + frameworkPrefix_ + u"ParameterRef";
    for (;;) {
      ComPtr<IXMLDOMNode> feature;
      hr = SelectNode(query.Path(), &feature);
      if (hr != S_OK) return hr;

      // The feature's parameters go with it.
      ComPtr<IXMLDOMNodeList> refs;
      std::vector<std::u16string> referenced;
      hr = SelectNodes(parameterRefs, &refs);
      if (SUCCEEDED(hr)) hr = NamesOf(*this, refs.Get(), &referenced);
      ComPtr<IXMLDOMNodeList> inits;
      if (SUCCEEDED(hr)) hr = SelectNodes(parameterInits, &inits);
      if (FAILED(hr)) return hr;
      ComPtr<IXMLDOMNode> init;
      while (inits->nextNode(init.ReleaseAndGetAddressOf()) == S_OK && init) {
        std::u16string name;
        if (GetAttribute(init.Get(), u"name", &name) != S_OK) continue;
        for (const std::u16string& reference : referenced) {
          if (name != reference) continue;
          hr = RemoveNode(init.Get());
          if (FAILED(hr)) return hr;
          break;
        }
      }
      // A feature that cannot be taken out would be found again for ever.
      hr = RemoveNode(feature.Get());
      if (hr != S_OK) return FAILED(hr) ? hr : E_FAIL;
    }
  });
}

HRESULT PrintTicketDocument::DeleteFirst(const TicketQuery& query) const {
  ComPtr<IXMLDOMNode> node;
  const HRESULT hr = SelectNode(query.Path(), &node);
  return hr == S_OK ? RemoveNode(node.Get()) : hr;
}

HRESULT PrintTicketDocument::DeleteFeature(std::u16string_view featureName) const {
  return DeleteFeatures(keywordsPrefix_, featureName);
}

HRESULT PrintTicketDocument::DeletePrivateFeature(std::u16string_view featureName) const {
  return DeleteFeatures(privatePrefix_, featureName);
}

HRESULT PrintTicketDocument::DeletePrivateProperty(std::u16string_view propertyName) const {
  TicketQuery query = NewQuery();
  const HRESULT hr = query.AddProperty(privatePrefix_, propertyName);
  return FAILED(hr) ? hr : DeleteFirst(query);
}

HRESULT PrintTicketDocument::DeleteParameterInit(std::u16string_view parameterName) const {
  TicketQuery query = NewQuery();
  const HRESULT hr = query.AddParameterInit(keywordsPrefix_, parameterName);
  return FAILED(hr) ? hr : DeleteFirst(query);
}

}  // namespace kx
