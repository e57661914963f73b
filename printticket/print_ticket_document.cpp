// PrintTicketDocument: construction, prefix discovery and selection.
#include "print_ticket_document.h"

#include "cxd_exception.h"
#include "dom_strings.h"

namespace kx {
namespace {

// Only for finding the root while the document's own prefixes are not yet known.
constexpr char16_t kDiscoveryPrefix[] = u"psf";
constexpr std::u16string_view kNamespaceDeclaration = u"xmlns:";

}  // namespace

PrintTicketDocument::PrintTicketDocument(TicketRoot root, std::u16string_view privateNamespace,
                                         IXMLDOMDocument2* dom)
    : dom_(dom),
      rootName_(root == TicketRoot::PrintCapabilities ? u"PrintCapabilities" : u"PrintTicket"),
      isCapabilities_(root == TicketRoot::PrintCapabilities),
      privateNamespace_(privateNamespace) {
  if (!dom_) throw CXDException(E_PENDING);
  ThrowOnFailure(HResultBoundary([&] {
    ScopedVariant xpath;
    SetVariantText(xpath.Out(), u"XPath");
    HRESULT hr = dom_->setProperty(NewBstr(u"SelectionLanguage").Get(), xpath.Get());
    if (SUCCEEDED(hr)) hr = SetSelectionNamespace(kDiscoveryPrefix);
    if (SUCCEEDED(hr)) hr = DiscoverPrefix(kFrameworkNamespace, &frameworkPrefix_);
    if (SUCCEEDED(hr)) hr = DiscoverPrefix(kKeywordsNamespace, &keywordsPrefix_);
    if (SUCCEEDED(hr)) hr = DiscoverPrefix(kSchemaInstanceNamespace, &schemaInstancePrefix_);
    if (SUCCEEDED(hr)) hr = DiscoverPrefix(kSchemaNamespace, &schemaPrefix_);
    if (SUCCEEDED(hr)) hr = DiscoverPrefix(privateNamespace_, &privatePrefix_);
    if (FAILED(hr)) return hr;
    // From here on only the document's own framework prefix is declared for XPath.
    const std::u16string bare = frameworkPrefix_.substr(0, frameworkPrefix_.find(u':'));
    if (frameworkPrefix_.find(u':') == std::u16string::npos || bare.empty()) return E_FAIL;
    return SetSelectionNamespace(bare);
  }));
}

PrintTicketDocument::~PrintTicketDocument() = default;

HRESULT PrintTicketDocument::SetSelectionNamespace(std::u16string_view prefix) const {
  std::u16string declaration = u"xmlns:";
  declaration.append(prefix).append(u"='").append(kFrameworkNamespace).append(u"'");
  ScopedVariant value;
  SetVariantText(value.Out(), declaration);
  return dom_->setProperty(NewBstr(u"SelectionNamespaces").Get(), value.Get());
}

HRESULT PrintTicketDocument::DiscoverPrefix(std::u16string_view namespaceUri,
                                            std::u16string* prefix) const {
  if (namespaceUri.empty()) return E_INVALIDARG;
  if (!prefix) return E_POINTER;
  std::u16string rootPath = u"//";
  rootPath.append(kDiscoveryPrefix).append(u":").append(rootName_);
  ComPtr<IXMLDOMNode> root;
  HRESULT hr = SelectNode(rootPath, &root);
  if (hr != S_OK) return hr;

  ComPtr<IXMLDOMNamedNodeMap> attributes;
  hr = root->get_attributes(attributes.ReleaseAndGetAddressOf());
  if (FAILED(hr) || !attributes) return FAILED(hr) ? hr : S_FALSE;
  attributes->reset();
  ComPtr<IXMLDOMNode> attribute;
  while (attributes->nextNode(attribute.ReleaseAndGetAddressOf()) == S_OK && attribute) {
    ScopedVariant value;
    if (FAILED(attribute->get_nodeValue(value.Out())) || VariantText(value.Get()) != namespaceUri)
      continue;
    // The first declaration of the URI decides, and it must bind a prefix.
    UniqueBstr name;
    hr = attribute->get_nodeName(name.ResetAndGetAddressOf());
    if (FAILED(hr)) return hr;
    const std::u16string_view qualified = name.View();
    if (!qualified.starts_with(kNamespaceDeclaration) ||
        qualified.size() == kNamespaceDeclaration.size())
      return E_FAIL;
    *prefix = std::u16string(qualified.substr(kNamespaceDeclaration.size())) + u":";
    return S_OK;
  }
  return S_FALSE;
}

HRESULT PrintTicketDocument::SelectNode(std::u16string_view path, ComPtr<IXMLDOMNode>* node) const {
  if (!node) return E_POINTER;
  node->Reset();
  if (!dom_) return E_PENDING;
  if (path.empty()) return E_INVALIDARG;
  return HResultBoundary([&] {
    const HRESULT hr = dom_->selectSingleNode(NewBstr(path).Get(), node->ReleaseAndGetAddressOf());
    return SUCCEEDED(hr) && !*node ? S_FALSE : hr;
  });
}

HRESULT PrintTicketDocument::SelectNodes(std::u16string_view path,
                                         ComPtr<IXMLDOMNodeList>* nodes) const {
  if (!nodes) return E_POINTER;
  nodes->Reset();
  if (!dom_) return E_PENDING;
  if (path.empty()) return E_FAIL;
  return HResultBoundary(
      [&] { return dom_->selectNodes(NewBstr(path).Get(), nodes->ReleaseAndGetAddressOf()); });
}

HRESULT PrintTicketDocument::SelectRoot(ComPtr<IXMLDOMNode>* root) const {
  return HResultBoundary([&] {
    std::u16string path = u"//";
    path.append(frameworkPrefix_.substr(0, frameworkPrefix_.find(u':'))).append(u":");
    path.append(rootName_);
    return SelectNode(path, root);
  });
}

HRESULT PrintTicketDocument::NodeExists(std::u16string_view path) const {
  ComPtr<IXMLDOMNode> node;
  const HRESULT hr = SelectNode(path, &node);
  return hr == S_FALSE ? kElementNotFound : hr;
}

HRESULT PrintTicketDocument::RemoveNode(IXMLDOMNode* node) const {
  if (!node) return E_POINTER;
  ComPtr<IXMLDOMNode> parent;
  HRESULT hr = node->get_parentNode(parent.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  if (!parent) return S_FALSE;
  ComPtr<IXMLDOMNode> removed;
  hr = parent->removeChild(node, removed.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  return removed ? S_OK : E_FAIL;
}

}  // namespace kx
