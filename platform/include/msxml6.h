// MSXML 6: the DOM (DOMDocument60) and the SAX reader (SAXXMLReader60), as far as the system
// calls them. Methods keep the platform's order; the late-binding IDispatch layer under the DOM
// interfaces is left out because nothing here calls through it.
//
// Both classes refuse any document type declaration (as MSXML 6 does by default), so no DTD or
// external entity is ever loaded and only the predefined entities and character references are
// expanded. Element nesting deeper than 256 levels fails the load or parse.
#pragma once

#include "objidl.h"
#include "oleauto.h"

enum DOMNodeType : LONG {
  NODE_INVALID = 0,
  NODE_ELEMENT = 1,
  NODE_ATTRIBUTE = 2,
  NODE_TEXT = 3,
  NODE_CDATA_SECTION = 4,
  NODE_ENTITY_REFERENCE = 5,
  NODE_ENTITY = 6,
  NODE_PROCESSING_INSTRUCTION = 7,
  NODE_COMMENT = 8,
  NODE_DOCUMENT = 9,
  NODE_DOCUMENT_TYPE = 10,
  NODE_DOCUMENT_FRAGMENT = 11,
  NODE_NOTATION = 12,
};

struct IXMLDOMDocument;
struct IXMLDOMNodeList;
struct IXMLDOMNamedNodeMap;

// Nodes handed out are new wrappers: two calls for the same node give two objects. A node that
// is removed or never attached stays valid for as long as any reference to it or its document
// is held.
struct IXMLDOMNode : IUnknown {
  // Qualified name for elements and attributes; "#text", "#comment", "#document" otherwise.
  virtual HRESULT STDMETHODCALLTYPE get_nodeName(BSTR* name) = 0;
  // VT_BSTR for attributes, text, comments and processing instructions; VT_EMPTY otherwise.
  virtual HRESULT STDMETHODCALLTYPE get_nodeValue(VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_nodeValue(VARIANT value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_nodeType(DOMNodeType* type) = 0;
  // S_FALSE and null for a node without a parent (attributes have none).
  virtual HRESULT STDMETHODCALLTYPE get_parentNode(IXMLDOMNode** parent) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_childNodes(IXMLDOMNodeList** children) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_firstChild(IXMLDOMNode** child) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_lastChild(IXMLDOMNode** child) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_previousSibling(IXMLDOMNode** sibling) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_nextSibling(IXMLDOMNode** sibling) = 0;
  // Namespace declarations first, then the other attributes, each in document order.
  virtual HRESULT STDMETHODCALLTYPE get_attributes(IXMLDOMNamedNodeMap** attributes) = 0;
  virtual HRESULT STDMETHODCALLTYPE insertBefore(IXMLDOMNode* newChild, VARIANT refChild,
                                                 IXMLDOMNode** outNewChild) = 0;
  virtual HRESULT STDMETHODCALLTYPE removeChild(IXMLDOMNode* child, IXMLDOMNode** oldChild) = 0;
  virtual HRESULT STDMETHODCALLTYPE appendChild(IXMLDOMNode* newChild,
                                                IXMLDOMNode** outNewChild) = 0;
  virtual HRESULT STDMETHODCALLTYPE hasChildNodes(VARIANT_BOOL* hasChild) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ownerDocument(IXMLDOMDocument** document) = 0;
  virtual HRESULT STDMETHODCALLTYPE cloneNode(VARIANT_BOOL deep, IXMLDOMNode** cloneRoot) = 0;
  // Text of the node and its descendants; leading and trailing white space is trimmed for
  // elements and documents.
  virtual HRESULT STDMETHODCALLTYPE get_text(BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_text(BSTR text) = 0;
  // No data types are declared in this layer: the typed value is the text, as VT_BSTR.
  virtual HRESULT STDMETHODCALLTYPE get_nodeTypedValue(VARIANT* typedValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_xml(BSTR* xmlString) = 0;
  // XPath 1.0 relative to this node, with the document's SelectionNamespaces.
  virtual HRESULT STDMETHODCALLTYPE selectNodes(BSTR queryString, IXMLDOMNodeList** resultList) = 0;
  // S_FALSE and null when nothing matches.
  virtual HRESULT STDMETHODCALLTYPE selectSingleNode(BSTR queryString,
                                                     IXMLDOMNode** resultNode) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_namespaceURI(BSTR* namespaceURI) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_prefix(BSTR* prefix) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_baseName(BSTR* name) = 0;

 protected:
  ~IXMLDOMNode() = default;
};
KX_DEFINE_IID(IXMLDOMNode, IUnknown, "2933BF80-7B36-11D2-B20E-00C04F983E60");

// A snapshot of nodes in document order.
struct IXMLDOMNodeList : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_item(LONG index, IXMLDOMNode** listItem) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_length(LONG* listLength) = 0;
  // S_FALSE and null after the last node.
  virtual HRESULT STDMETHODCALLTYPE nextNode(IXMLDOMNode** nextItem) = 0;
  virtual HRESULT STDMETHODCALLTYPE reset() = 0;

 protected:
  ~IXMLDOMNodeList() = default;
};
KX_DEFINE_IID(IXMLDOMNodeList, IUnknown, "2933BF82-7B36-11D2-B20E-00C04F983E60");

// The attributes of an element, looked up by qualified name.
struct IXMLDOMNamedNodeMap : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE getNamedItem(BSTR name, IXMLDOMNode** namedItem) = 0;
  virtual HRESULT STDMETHODCALLTYPE setNamedItem(IXMLDOMNode* newItem, IXMLDOMNode** nameItem) = 0;
  virtual HRESULT STDMETHODCALLTYPE removeNamedItem(BSTR name, IXMLDOMNode** namedItem) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_item(LONG index, IXMLDOMNode** listItem) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_length(LONG* listLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE nextNode(IXMLDOMNode** nextItem) = 0;
  virtual HRESULT STDMETHODCALLTYPE reset() = 0;

 protected:
  ~IXMLDOMNamedNodeMap() = default;
};
KX_DEFINE_IID(IXMLDOMNamedNodeMap, IUnknown, "2933BF83-7B36-11D2-B20E-00C04F983E60");

struct IXMLDOMAttribute : IXMLDOMNode {
  virtual HRESULT STDMETHODCALLTYPE get_name(BSTR* attributeName) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_value(VARIANT* attributeValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_value(VARIANT attributeValue) = 0;

 protected:
  ~IXMLDOMAttribute() = default;
};
KX_DEFINE_IID(IXMLDOMAttribute, IXMLDOMNode, "2933BF85-7B36-11D2-B20E-00C04F983E60");

struct IXMLDOMElement : IXMLDOMNode {
  virtual HRESULT STDMETHODCALLTYPE get_tagName(BSTR* tagName) = 0;
  // S_FALSE and VT_EMPTY when the element has no attribute of that qualified name.
  virtual HRESULT STDMETHODCALLTYPE getAttribute(BSTR name, VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE setAttribute(BSTR name, VARIANT value) = 0;
  virtual HRESULT STDMETHODCALLTYPE removeAttribute(BSTR name) = 0;
  virtual HRESULT STDMETHODCALLTYPE getAttributeNode(BSTR name,
                                                     IXMLDOMAttribute** attributeNode) = 0;
  virtual HRESULT STDMETHODCALLTYPE setAttributeNode(IXMLDOMAttribute* domAttribute,
                                                     IXMLDOMAttribute** attributeNode) = 0;

 protected:
  ~IXMLDOMElement() = default;
};
KX_DEFINE_IID(IXMLDOMElement, IXMLDOMNode, "2933BF86-7B36-11D2-B20E-00C04F983E60");

// The document also answers IStream: reading gives its XML (UTF-8, with an XML declaration);
// XML written into it is loaded when the stream is sought back to its start.
struct IXMLDOMDocument : IXMLDOMNode {
  virtual HRESULT STDMETHODCALLTYPE get_documentElement(IXMLDOMElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE createElement(BSTR tagName, IXMLDOMElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE createTextNode(BSTR data, IXMLDOMNode** text) = 0;
  virtual HRESULT STDMETHODCALLTYPE createAttribute(BSTR name, IXMLDOMAttribute** attribute) = 0;
  // type is a VT_I4 NODE_ELEMENT, NODE_ATTRIBUTE or NODE_TEXT; the name may carry a prefix.
  virtual HRESULT STDMETHODCALLTYPE createNode(VARIANT type, BSTR name, BSTR namespaceURI,
                                               IXMLDOMNode** node) = 0;
  // source: VT_UNKNOWN holding an ISequentialStream or IStream, read to its end in chunks.
  virtual HRESULT STDMETHODCALLTYPE load(VARIANT xmlSource, VARIANT_BOOL* isSuccessful) = 0;
  virtual HRESULT STDMETHODCALLTYPE loadXML(BSTR bstrXML, VARIANT_BOOL* isSuccessful) = 0;
  // destination: VT_UNKNOWN holding an ISequentialStream or IStream.
  virtual HRESULT STDMETHODCALLTYPE save(VARIANT destination) = 0;

 protected:
  ~IXMLDOMDocument() = default;
};
KX_DEFINE_IID(IXMLDOMDocument, IXMLDOMNode, "2933BF81-7B36-11D2-B20E-00C04F983E60");

struct IXMLDOMDocument2 : IXMLDOMDocument {
  // "SelectionLanguage" (only "XPath") and "SelectionNamespaces" (blank-separated
  // xmlns:prefix='uri' declarations, either quote).
  virtual HRESULT STDMETHODCALLTYPE setProperty(BSTR name, VARIANT value) = 0;
  virtual HRESULT STDMETHODCALLTYPE getProperty(BSTR name, VARIANT* value) = 0;

 protected:
  ~IXMLDOMDocument2() = default;
};
KX_DEFINE_IID(IXMLDOMDocument2, IXMLDOMDocument, "2933BF95-7B36-11D2-B20E-00C04F983E60");

// The attributes of one startElement; valid only during that call. Names and values are
// UTF-16 and not terminated: each comes with its length.
struct ISAXAttributes : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE getLength(int* length) = 0;
  virtual HRESULT STDMETHODCALLTYPE getURI(int index, const WCHAR** uri, int* uriLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE getLocalName(int index, const WCHAR** localName,
                                                 int* localNameLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE getQName(int index, const WCHAR** qName, int* qNameLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE getName(int index, const WCHAR** uri, int* uriLength,
                                            const WCHAR** localName, int* localNameLength,
                                            const WCHAR** qName, int* qNameLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE getIndexFromName(const WCHAR* uri, int uriLength,
                                                     const WCHAR* localName, int localNameLength,
                                                     int* index) = 0;
  virtual HRESULT STDMETHODCALLTYPE getIndexFromQName(const WCHAR* qName, int qNameLength,
                                                      int* index) = 0;
  virtual HRESULT STDMETHODCALLTYPE getType(int index, const WCHAR** type, int* typeLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE getTypeFromName(const WCHAR* uri, int uriLength,
                                                    const WCHAR* localName, int localNameLength,
                                                    const WCHAR** type, int* typeLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE getTypeFromQName(const WCHAR* qName, int qNameLength,
                                                     const WCHAR** type, int* typeLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE getValue(int index, const WCHAR** value, int* valueLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE getValueFromName(const WCHAR* uri, int uriLength,
                                                     const WCHAR* localName, int localNameLength,
                                                     const WCHAR** value, int* valueLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE getValueFromQName(const WCHAR* qName, int qNameLength,
                                                      const WCHAR** value, int* valueLength) = 0;

 protected:
  ~ISAXAttributes() = default;
};
KX_DEFINE_IID(ISAXAttributes, IUnknown, "F078ABE1-45D2-4832-91EA-4466CE2F25C0");

struct ISAXLocator : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE getColumnNumber(int* column) = 0;
  virtual HRESULT STDMETHODCALLTYPE getLineNumber(int* line) = 0;
  virtual HRESULT STDMETHODCALLTYPE getPublicId(const WCHAR** publicId) = 0;
  virtual HRESULT STDMETHODCALLTYPE getSystemId(const WCHAR** systemId) = 0;

 protected:
  ~ISAXLocator() = default;
};
KX_DEFINE_IID(ISAXLocator, IUnknown, "9B7E472A-0DE4-4640-BFF3-84D38A051C31");

// Implemented by the page rewriters. Element and attribute names are reported as written,
// prefix included; namespace declarations are ordinary attributes, in document order. A
// failure returned from any method stops the parse and becomes its result.
struct ISAXContentHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE putDocumentLocator(ISAXLocator* locator) = 0;
  virtual HRESULT STDMETHODCALLTYPE startDocument() = 0;
  virtual HRESULT STDMETHODCALLTYPE endDocument() = 0;
  virtual HRESULT STDMETHODCALLTYPE startPrefixMapping(const WCHAR* prefix, int prefixLength,
                                                       const WCHAR* uri, int uriLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE endPrefixMapping(const WCHAR* prefix, int prefixLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE startElement(const WCHAR* namespaceUri, int namespaceUriLength,
                                                 const WCHAR* localName, int localNameLength,
                                                 const WCHAR* qName, int qNameLength,
                                                 ISAXAttributes* attributes) = 0;
  virtual HRESULT STDMETHODCALLTYPE endElement(const WCHAR* namespaceUri, int namespaceUriLength,
                                               const WCHAR* localName, int localNameLength,
                                               const WCHAR* qName, int qNameLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE characters(const WCHAR* chars, int charsLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE ignorableWhitespace(const WCHAR* chars, int charsLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE processingInstruction(const WCHAR* target, int targetLength,
                                                          const WCHAR* data, int dataLength) = 0;
  virtual HRESULT STDMETHODCALLTYPE skippedEntity(const WCHAR* name, int nameLength) = 0;

 protected:
  ~ISAXContentHandler() = default;
};
KX_DEFINE_IID(ISAXContentHandler, IUnknown, "1545CDFA-9E4E-4497-A8A4-2BF7D0112C44");

struct ISAXXMLReader : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE getContentHandler(ISAXContentHandler** handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE putContentHandler(ISAXContentHandler* handler) = 0;
  // input: VT_UNKNOWN holding an ISequentialStream or IStream (read in chunks, never held
  // whole), or VT_BSTR holding the document text. A malformed or refused document gives a
  // failure; a handler's failure is returned as it is.
  virtual HRESULT STDMETHODCALLTYPE parse(VARIANT input) = 0;

 protected:
  ~ISAXXMLReader() = default;
};
KX_DEFINE_IID(ISAXXMLReader, IUnknown, "A4F96ED0-F829-476E-81C0-CDC7BD2A0802");

inline constexpr CLSID CLSID_DOMDocument60 = kx::MakeGuid("88D96A05-F192-11D4-A65F-0040963251E5");
inline constexpr CLSID CLSID_SAXXMLReader60 = kx::MakeGuid("88D96A0C-F192-11D4-A65F-0040963251E5");
