#include "dom_node.h"

#include "dom_attributes.h"
#include "dom_collections.h"
#include "dom_document.h"
#include "kx/hresult_error.h"
#include "kx/unique_bstr.h"

namespace kx::xml {
namespace {

constexpr std::string_view kXmlBlanks = " \t\r\n";

DOMNodeType TypeOf(xmlNodePtr node) {
  switch (node->type) {
    case XML_ELEMENT_NODE:
      return NODE_ELEMENT;
    case XML_ATTRIBUTE_NODE:
      return NODE_ATTRIBUTE;
    case XML_TEXT_NODE:
      return NODE_TEXT;
    case XML_CDATA_SECTION_NODE:
      return NODE_CDATA_SECTION;
    case XML_ENTITY_REF_NODE:
      return NODE_ENTITY_REFERENCE;
    case XML_PI_NODE:
      return NODE_PROCESSING_INSTRUCTION;
    case XML_COMMENT_NODE:
      return NODE_COMMENT;
    case XML_DOCUMENT_NODE:
      return NODE_DOCUMENT;
    case XML_DOCUMENT_FRAG_NODE:
      return NODE_DOCUMENT_FRAGMENT;
    default:
      return NODE_INVALID;
  }
}

bool HasValue(xmlNodePtr node) {
  switch (TypeOf(node)) {
    case NODE_ATTRIBUTE:
    case NODE_TEXT:
    case NODE_CDATA_SECTION:
    case NODE_COMMENT:
    case NODE_PROCESSING_INSTRUCTION:
      return true;
    default:
      return false;
  }
}

std::string NodeNameOf(xmlNodePtr node) {
  switch (TypeOf(node)) {
    case NODE_ELEMENT:
    case NODE_ATTRIBUTE:
      return QualifiedName(node);
    case NODE_PROCESSING_INSTRUCTION:
      return std::string(ViewOf(node->name));
    case NODE_TEXT:
      return "#text";
    case NODE_CDATA_SECTION:
      return "#cdata-section";
    case NODE_COMMENT:
      return "#comment";
    case NODE_DOCUMENT:
      return "#document";
    default:
      return "#node";
  }
}

// Element and document text loses its outer white space, as with preserveWhiteSpace off.
std::string DisplayedText(xmlNodePtr node) {
  std::string text = TextOf(node);
  if (HasValue(node)) return text;
  const std::size_t first = text.find_first_not_of(kXmlBlanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(kXmlBlanks) - first + 1);
}

HRESULT HandString(std::string_view utf8, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  *out = NewBstr(utf8);
  return S_OK;
}

HRESULT HandVariant(std::string_view utf8, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  out->bstrVal = NewBstr(utf8);
  out->vt = VT_BSTR;
  return S_OK;
}

std::string StringOf(const VARIANT& value) {
  if (value.vt != VT_BSTR) throw HResultError{E_INVALIDARG};
  return FromBstr(value.bstrVal);
}

bool IsAncestorOrSelf(xmlNodePtr candidate, xmlNodePtr node) {
  for (; node; node = node->parent)
    if (node == candidate) return true;
  return false;
}

template <class Interface>
class DomNodeOf : public DomNodeBase<Interface> {
 public:
  DomNodeOf(ComPtr<DomDocument> owner, xmlNodePtr node) : owner_(std::move(owner)), node_(node) {}
  xmlNodePtr NodePtr() const override { return node_; }
  DomDocument& Owner() const override { return *owner_.Get(); }

 protected:
  ComPtr<DomDocument> owner_;
  xmlNodePtr node_;
};

class DomElement final : public DomNodeOf<IXMLDOMElement> {
 public:
  using DomNodeOf::DomNodeOf;

  HRESULT STDMETHODCALLTYPE get_tagName(BSTR* tagName) override {
    return HResultBoundary([&] { return HandString(QualifiedName(node_), tagName); });
  }

  HRESULT STDMETHODCALLTYPE getAttribute(BSTR name, VARIANT* value) override {
    if (!value) return E_POINTER;
    VariantInit(value);
    return HResultBoundary([&] {
      xmlNodePtr item = FindAttributeItem(Owner(), node_, FromBstr(name));
      return item ? HandVariant(TextOf(item), value) : S_FALSE;
    });
  }

  HRESULT STDMETHODCALLTYPE setAttribute(BSTR name, VARIANT value) override {
    return HResultBoundary([&] {
      const std::string qualifiedName = FromBstr(name);
      const std::string text = StringOf(value);
      if (qualifiedName.empty()) return E_INVALIDARG;
      if (xmlAttrPtr existing = FindAttribute(node_, qualifiedName)) {
        SetText(Owner().Trees(), reinterpret_cast<xmlNodePtr>(existing), text);
        return S_OK;
      }
      // A prefix in the name takes the namespace it is bound to here, if any.
      const std::size_t colon = qualifiedName.find(':');
      xmlNsPtr ns = nullptr;
      if (colon != std::string::npos)
        ns = xmlSearchNs(node_->doc, node_, XmlText(qualifiedName.substr(0, colon)));
      const std::string local = ns ? qualifiedName.substr(colon + 1) : qualifiedName;
      if (!xmlNewNsProp(node_, ns, XmlText(local), XmlText(text))) return E_OUTOFMEMORY;
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE removeAttribute(BSTR name) override {
    return HResultBoundary([&] {
      const HRESULT hr = DetachAttribute(Owner(), node_, FromBstr(name), nullptr);
      return SUCCEEDED(hr) ? S_OK : hr;
    });
  }

  HRESULT STDMETHODCALLTYPE getAttributeNode(BSTR name, IXMLDOMAttribute** attributeNode) override {
    if (!attributeNode) return E_POINTER;
    *attributeNode = nullptr;
    return HResultBoundary([&] {
      xmlNodePtr item = FindAttributeItem(Owner(), node_, FromBstr(name));
      if (!item) return S_FALSE;
      ComPtr<IXMLDOMNode> node;
      HRESULT hr = HandOut(Owner(), item, node.ReleaseAndGetAddressOf());
      ComPtr<IXMLDOMAttribute> attribute;
      if (SUCCEEDED(hr)) hr = node.As(attribute);
      *attributeNode = attribute.Detach();
      return hr;
    });
  }

  HRESULT STDMETHODCALLTYPE setAttributeNode(IXMLDOMAttribute* domAttribute,
                                             IXMLDOMAttribute** attributeNode) override {
    if (attributeNode) *attributeNode = nullptr;
    return HResultBoundary([&] {
      ComPtr<IXMLDOMNode> replaced;
      HRESULT hr = AttachAttribute(Owner(), node_, domAttribute, replaced.ReleaseAndGetAddressOf());
      if (SUCCEEDED(hr) && replaced && attributeNode) {
        ComPtr<IXMLDOMAttribute> old;
        replaced.As(old);
        *attributeNode = old.Detach();
      }
      return FAILED(hr) ? hr : S_OK;
    });
  }
};

class DomAttribute final : public DomNodeOf<IXMLDOMAttribute> {
 public:
  using DomNodeOf::DomNodeOf;

  HRESULT STDMETHODCALLTYPE get_name(BSTR* attributeName) override {
    return HResultBoundary([&] { return HandString(QualifiedName(node_), attributeName); });
  }
  HRESULT STDMETHODCALLTYPE get_value(VARIANT* attributeValue) override {
    return get_nodeValue(attributeValue);
  }
  HRESULT STDMETHODCALLTYPE put_value(VARIANT attributeValue) override {
    return put_nodeValue(attributeValue);
  }
};

}  // namespace

HRESULT HandOut(DomDocument& owner, xmlNodePtr node, IXMLDOMNode** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!node) return S_FALSE;
  ComPtr<DomDocument> document(&owner);
  switch (TypeOf(node)) {
    case NODE_DOCUMENT:
      *out = static_cast<IXMLDOMDocument2*>(document.Detach());
      break;
    case NODE_ELEMENT:
      *out = MakeComObject<DomElement>(document, node).Detach();
      break;
    case NODE_ATTRIBUTE:
      *out = MakeComObject<DomAttribute>(document, node).Detach();
      break;
    default:
      *out = MakeComObject<DomNodeOf<IXMLDOMNode>>(document, node).Detach();
      break;
  }
  return S_OK;
}

xmlNodePtr Unwrap(DomDocument& owner, IUnknown* node) {
  ComPtr<IXMLDOMNode> domNode;
  if (!node || FAILED(ComPtr<IUnknown>(node).As(domNode))) throw HResultError{E_INVALIDARG};
  auto* access = dynamic_cast<DomNodeAccess*>(domNode.Get());
  if (!access || &access->Owner() != &owner) throw HResultError{E_INVALIDARG};
  return access->NodePtr();
}

template <class... I>
HRESULT DomNodeBase<I...>::HandOutRelative(xmlNodePtr node, IXMLDOMNode** out) {
  return HResultBoundary([&] { return HandOut(Owner(), node, out); });
}

template <class... I>
HRESULT DomNodeBase<I...>::get_nodeName(BSTR* name) {
  return HResultBoundary([&] { return HandString(NodeNameOf(NodePtr()), name); });
}

template <class... I>
HRESULT DomNodeBase<I...>::get_nodeValue(VARIANT* value) {
  if (!value) return E_POINTER;
  VariantInit(value);
  return HResultBoundary(
      [&] { return HasValue(NodePtr()) ? HandVariant(TextOf(NodePtr()), value) : S_FALSE; });
}

template <class... I>
HRESULT DomNodeBase<I...>::put_nodeValue(VARIANT value) {
  return HResultBoundary([&] {
    if (!HasValue(NodePtr())) return E_FAIL;
    SetText(Owner().Trees(), NodePtr(), StringOf(value));
    return S_OK;
  });
}

template <class... I>
HRESULT DomNodeBase<I...>::get_nodeType(DOMNodeType* type) {
  if (!type) return E_POINTER;
  *type = TypeOf(NodePtr());
  return S_OK;
}

template <class... I>
HRESULT DomNodeBase<I...>::get_parentNode(IXMLDOMNode** parent) {
  // Attributes have no parent in the DOM.
  xmlNodePtr node = NodePtr();
  return HandOutRelative(node->type == XML_ATTRIBUTE_NODE ? nullptr : node->parent, parent);
}

template <class... I>
HRESULT DomNodeBase<I...>::get_childNodes(IXMLDOMNodeList** children) {
  if (!children) return E_POINTER;
  *children = nullptr;
  return HResultBoundary([&] {
    std::vector<xmlNodePtr> nodes;
    for (xmlNodePtr child = NodePtr()->children; child; child = child->next) nodes.push_back(child);
    *children =
        MakeComObject<DomNodeList>(ComPtr<DomDocument>(&Owner()), std::move(nodes)).Detach();
    return S_OK;
  });
}

template <class... I>
HRESULT DomNodeBase<I...>::get_firstChild(IXMLDOMNode** child) {
  return HandOutRelative(NodePtr()->children, child);
}

template <class... I>
HRESULT DomNodeBase<I...>::get_lastChild(IXMLDOMNode** child) {
  return HandOutRelative(NodePtr()->last, child);
}

template <class... I>
HRESULT DomNodeBase<I...>::get_previousSibling(IXMLDOMNode** sibling) {
  xmlNodePtr node = NodePtr();
  return HandOutRelative(node->type == XML_ATTRIBUTE_NODE ? nullptr : node->prev, sibling);
}

template <class... I>
HRESULT DomNodeBase<I...>::get_nextSibling(IXMLDOMNode** sibling) {
  xmlNodePtr node = NodePtr();
  return HandOutRelative(node->type == XML_ATTRIBUTE_NODE ? nullptr : node->next, sibling);
}

template <class... I>
HRESULT DomNodeBase<I...>::get_attributes(IXMLDOMNamedNodeMap** attributes) {
  if (!attributes) return E_POINTER;
  *attributes = nullptr;
  if (NodePtr()->type != XML_ELEMENT_NODE) return S_FALSE;
  return HResultBoundary([&] {
    *attributes = MakeComObject<DomAttributeMap>(ComPtr<DomDocument>(&Owner()), NodePtr()).Detach();
    return S_OK;
  });
}

template <class... I>
HRESULT DomNodeBase<I...>::insertBefore(IXMLDOMNode* newChild, VARIANT refChild,
                                        IXMLDOMNode** outNewChild) {
  if (outNewChild) *outNewChild = nullptr;
  return HResultBoundary([&] {
    xmlNodePtr parent = NodePtr();
    xmlNodePtr child = Unwrap(Owner(), newChild);
    xmlNodePtr before = nullptr;
    if (refChild.vt == VT_UNKNOWN && refChild.punkVal) before = Unwrap(Owner(), refChild.punkVal);
    if (before && before->parent != parent) return E_INVALIDARG;
    const bool childless = parent->type != XML_ELEMENT_NODE && parent->type != XML_DOCUMENT_NODE;
    const bool placeable = child->type != XML_ATTRIBUTE_NODE && child->type != XML_DOCUMENT_NODE;
    if (childless || !placeable || child->doc != parent->doc || IsAncestorOrSelf(child, parent))
      return E_FAIL;
    if (child == before) return outNewChild ? HandOut(Owner(), child, outNewChild) : S_OK;
    if (child->parent) xmlUnlinkNode(child);
    LinkChild(parent, child, before);
    return outNewChild ? HandOut(Owner(), child, outNewChild) : S_OK;
  });
}

template <class... I>
HRESULT DomNodeBase<I...>::removeChild(IXMLDOMNode* child, IXMLDOMNode** oldChild) {
  if (oldChild) *oldChild = nullptr;
  return HResultBoundary([&] {
    xmlNodePtr node = Unwrap(Owner(), child);
    if (node->parent != NodePtr() || node->type == XML_ATTRIBUTE_NODE) return E_INVALIDARG;
    xmlUnlinkNode(node);
    Owner().Trees().AdoptOrphan(node);
    return oldChild ? HandOut(Owner(), node, oldChild) : S_OK;
  });
}

template <class... I>
HRESULT DomNodeBase<I...>::appendChild(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) {
  VARIANT atEnd;
  VariantInit(&atEnd);
  return insertBefore(newChild, atEnd, outNewChild);
}

template <class... I>
HRESULT DomNodeBase<I...>::hasChildNodes(VARIANT_BOOL* hasChild) {
  if (!hasChild) return E_POINTER;
  *hasChild = NodePtr()->children ? VARIANT_TRUE : VARIANT_FALSE;
  return NodePtr()->children ? S_OK : S_FALSE;
}

template <class... I>
HRESULT DomNodeBase<I...>::get_ownerDocument(IXMLDOMDocument** document) {
  if (!document) return E_POINTER;
  *document = static_cast<IXMLDOMDocument2*>(&Owner());
  (*document)->AddRef();
  return S_OK;
}

template <class... I>
HRESULT DomNodeBase<I...>::cloneNode(VARIANT_BOOL deep, IXMLDOMNode** cloneRoot) {
  if (!cloneRoot) return E_POINTER;
  *cloneRoot = nullptr;
  return HResultBoundary([&] {
    xmlNodePtr node = NodePtr();
    if (node->type == XML_DOCUMENT_NODE) return CloneDocument(Owner(), deep, cloneRoot);
    xmlNodePtr copy =
        node->type == XML_ATTRIBUTE_NODE
            ? reinterpret_cast<xmlNodePtr>(xmlCopyProp(nullptr, reinterpret_cast<xmlAttrPtr>(node)))
            : xmlDocCopyNode(node, node->doc, deep ? 1 : 2);
    if (!copy) return E_OUTOFMEMORY;
    Owner().Trees().AdoptOrphan(copy);
    return HandOut(Owner(), copy, cloneRoot);
  });
}

template <class... I>
HRESULT DomNodeBase<I...>::get_text(BSTR* text) {
  return HResultBoundary([&] { return HandString(DisplayedText(NodePtr()), text); });
}

template <class... I>
HRESULT DomNodeBase<I...>::put_text(BSTR text) {
  return HResultBoundary([&] {
    if (NodePtr()->type == XML_DOCUMENT_NODE) return E_FAIL;
    SetText(Owner().Trees(), NodePtr(), FromBstr(text));
    return S_OK;
  });
}

template <class... I>
HRESULT DomNodeBase<I...>::get_nodeTypedValue(VARIANT* typedValue) {
  if (!typedValue) return E_POINTER;
  VariantInit(typedValue);
  return HResultBoundary([&] { return HandVariant(DisplayedText(NodePtr()), typedValue); });
}

template <class... I>
HRESULT DomNodeBase<I...>::get_xml(BSTR* xmlString) {
  return HResultBoundary([&] { return HandString(Serialize(NodePtr()), xmlString); });
}

template <class... I>
HRESULT DomNodeBase<I...>::selectNodes(BSTR queryString, IXMLDOMNodeList** resultList) {
  if (!resultList) return E_POINTER;
  *resultList = nullptr;
  return HResultBoundary([&] {
    std::vector<xmlNodePtr> nodes;
    const HRESULT hr = Select(queryString, nodes);
    if (FAILED(hr)) return hr;
    *resultList =
        MakeComObject<DomNodeList>(ComPtr<DomDocument>(&Owner()), std::move(nodes)).Detach();
    return S_OK;
  });
}

template <class... I>
HRESULT DomNodeBase<I...>::selectSingleNode(BSTR queryString, IXMLDOMNode** resultNode) {
  if (!resultNode) return E_POINTER;
  *resultNode = nullptr;
  return HResultBoundary([&] {
    std::vector<xmlNodePtr> nodes;
    const HRESULT hr = Select(queryString, nodes, true);
    if (FAILED(hr)) return hr;
    return HandOut(Owner(), nodes.empty() ? nullptr : nodes.front(), resultNode);
  });
}

template <class... I>
HRESULT DomNodeBase<I...>::Select(BSTR query, std::vector<xmlNodePtr>& nodes, bool firstOnly) {
  return SelectNodes(NodePtr(), Owner().SelectionNamespaces(), FromBstr(query), nodes, firstOnly);
}

template <class... I>
HRESULT DomNodeBase<I...>::get_namespaceURI(BSTR* namespaceURI) {
  xmlNsPtr ns = NodePtr()->type == XML_DOCUMENT_NODE ? nullptr : NodePtr()->ns;
  return HResultBoundary([&] { return HandString(ns ? ViewOf(ns->href) : "", namespaceURI); });
}

template <class... I>
HRESULT DomNodeBase<I...>::get_prefix(BSTR* prefix) {
  xmlNsPtr ns = NodePtr()->type == XML_DOCUMENT_NODE ? nullptr : NodePtr()->ns;
  return HResultBoundary([&] { return HandString(ns ? ViewOf(ns->prefix) : "", prefix); });
}

template <class... I>
HRESULT DomNodeBase<I...>::get_baseName(BSTR* name) {
  return HResultBoundary([&] {
    const std::string qualified = NodeNameOf(NodePtr());
    const bool named = TypeOf(NodePtr()) == NODE_ELEMENT || TypeOf(NodePtr()) == NODE_ATTRIBUTE;
    const std::size_t colon = qualified.find(':');
    return HandString(named && colon != std::string::npos ? qualified.substr(colon + 1) : qualified,
                      name);
  });
}

template class DomNodeBase<IXMLDOMDocument2, IStream>;
template class DomNodeBase<IXMLDOMElement>;
template class DomNodeBase<IXMLDOMAttribute>;
template class DomNodeBase<IXMLDOMNode>;

}  // namespace kx::xml
