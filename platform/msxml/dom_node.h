// The node wrappers of the DOM. Each wrapper is a counted COM object that holds its document
// object (so the tree outlives it) and a plain pointer to its libxml2 node.
#pragma once

#include <libxml/tree.h>

#include <vector>

#include "kx/com_object.h"
#include "msxml6.h"

namespace kx::xml {

class DomDocument;

// What the DOM knows of any of its wrappers; found from an interface pointer with Unwrap.
class DomNodeAccess {
 public:
  virtual xmlNodePtr NodePtr() const = 0;
  virtual DomDocument& Owner() const = 0;

 protected:
  ~DomNodeAccess() = default;
};

// The IXMLDOMNode methods, shared by every kind of node and by the document.
template <class... Interfaces>
class DomNodeBase : public ComObject<Interfaces...>, public DomNodeAccess {
 public:
  HRESULT STDMETHODCALLTYPE get_nodeName(BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_nodeValue(VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE put_nodeValue(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE get_nodeType(DOMNodeType* type) override;
  HRESULT STDMETHODCALLTYPE get_parentNode(IXMLDOMNode** parent) override;
  HRESULT STDMETHODCALLTYPE get_childNodes(IXMLDOMNodeList** children) override;
  HRESULT STDMETHODCALLTYPE get_firstChild(IXMLDOMNode** child) override;
  HRESULT STDMETHODCALLTYPE get_lastChild(IXMLDOMNode** child) override;
  HRESULT STDMETHODCALLTYPE get_previousSibling(IXMLDOMNode** sibling) override;
  HRESULT STDMETHODCALLTYPE get_nextSibling(IXMLDOMNode** sibling) override;
  HRESULT STDMETHODCALLTYPE get_attributes(IXMLDOMNamedNodeMap** attributes) override;
  HRESULT STDMETHODCALLTYPE insertBefore(IXMLDOMNode* newChild, VARIANT refChild,
                                         IXMLDOMNode** outNewChild) override;
  HRESULT STDMETHODCALLTYPE removeChild(IXMLDOMNode* child, IXMLDOMNode** oldChild) override;
  HRESULT STDMETHODCALLTYPE appendChild(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) override;
  HRESULT STDMETHODCALLTYPE hasChildNodes(VARIANT_BOOL* hasChild) override;
  HRESULT STDMETHODCALLTYPE get_ownerDocument(IXMLDOMDocument** document) override;
  HRESULT STDMETHODCALLTYPE cloneNode(VARIANT_BOOL deep, IXMLDOMNode** cloneRoot) override;
  HRESULT STDMETHODCALLTYPE get_text(BSTR* text) override;
  HRESULT STDMETHODCALLTYPE put_text(BSTR text) override;
  HRESULT STDMETHODCALLTYPE get_nodeTypedValue(VARIANT* typedValue) override;
  HRESULT STDMETHODCALLTYPE get_xml(BSTR* xmlString) override;
  HRESULT STDMETHODCALLTYPE selectNodes(BSTR queryString, IXMLDOMNodeList** resultList) override;
  HRESULT STDMETHODCALLTYPE selectSingleNode(BSTR queryString, IXMLDOMNode** resultNode) override;
  HRESULT STDMETHODCALLTYPE get_namespaceURI(BSTR* namespaceURI) override;
  HRESULT STDMETHODCALLTYPE get_prefix(BSTR* prefix) override;
  HRESULT STDMETHODCALLTYPE get_baseName(BSTR* name) override;

 private:
  HRESULT HandOutRelative(xmlNodePtr node, IXMLDOMNode** out);
  // With firstOnly, nodes after the first may be left out.
  HRESULT Select(BSTR query, std::vector<xmlNodePtr>& nodes, bool firstOnly = false);
};

extern template class DomNodeBase<IXMLDOMDocument2, IStream>;

// A new wrapper of node (the document object itself for the document node); S_FALSE and
// null for a null node.
HRESULT HandOut(DomDocument& owner, xmlNodePtr node, IXMLDOMNode** out);
// The wrapper's node when node belongs to owner's DOM; throws E_INVALIDARG otherwise.
xmlNodePtr Unwrap(DomDocument& owner, IUnknown* node);

}  // namespace kx::xml
