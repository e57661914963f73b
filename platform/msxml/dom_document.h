// DomDocument: DOMDocument60 on libxml2. It is the document node, the factory of new nodes,
// the holder of the XPath selection namespaces, and an IStream over its own XML.
#pragma once

#include <string>

#include "dom_node.h"
#include "dom_tree.h"
#include "xpath_query.h"

namespace kx::xml {

class DomDocument final : public DomNodeBase<IXMLDOMDocument2, IStream> {
 public:
  xmlNodePtr NodePtr() const override { return reinterpret_cast<xmlNodePtr>(trees_.Current()); }
  DomDocument& Owner() const override { return const_cast<DomDocument&>(*this); }
  DomTrees& Trees() { return trees_; }
  const NamespaceDeclarations& SelectionNamespaces() const { return selectionNamespaces_; }

  // IXMLDOMDocument
  HRESULT STDMETHODCALLTYPE get_documentElement(IXMLDOMElement** element) override;
  HRESULT STDMETHODCALLTYPE createElement(BSTR tagName, IXMLDOMElement** element) override;
  HRESULT STDMETHODCALLTYPE createTextNode(BSTR data, IXMLDOMNode** text) override;
  HRESULT STDMETHODCALLTYPE createAttribute(BSTR name, IXMLDOMAttribute** attribute) override;
  HRESULT STDMETHODCALLTYPE createNode(VARIANT type, BSTR name, BSTR namespaceURI,
                                       IXMLDOMNode** node) override;
  HRESULT STDMETHODCALLTYPE load(VARIANT xmlSource, VARIANT_BOOL* isSuccessful) override;
  HRESULT STDMETHODCALLTYPE loadXML(BSTR bstrXML, VARIANT_BOOL* isSuccessful) override;
  HRESULT STDMETHODCALLTYPE save(VARIANT destination) override;
  // IXMLDOMDocument2
  HRESULT STDMETHODCALLTYPE setProperty(BSTR name, VARIANT value) override;
  HRESULT STDMETHODCALLTYPE getProperty(BSTR name, VARIANT* value) override;
  // IStream
  HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override;
  HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                 ULARGE_INTEGER* plibNewPosition) override;
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER libNewSize) override;
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                   ULARGE_INTEGER* pcbWritten) override;
  HRESULT STDMETHODCALLTYPE Commit(DWORD grfCommitFlags) override;
  HRESULT STDMETHODCALLTYPE Revert() override;
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb,
                                       DWORD dwLockType) override;
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb,
                                         DWORD dwLockType) override;
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
  HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) override;

 private:
  // Parses with parse (a PushParser call) into a new tree; a failure leaves an empty document.
  template <class Parse>
  HRESULT LoadWith(Parse parse, VARIANT_BOOL* isSuccessful);
  xmlNodePtr NewNode(DOMNodeType type, const std::string& name, const std::string& uri);
  // The stream's bytes are the document's XML unless XML has been written since the last load.
  void TakeSnapshot();

  DomTrees trees_;
  NamespaceDeclarations selectionNamespaces_;
  std::string streamBytes_;
  std::size_t streamPosition_ = 0;
  bool streamWritten_ = false;
};

// A new document holding a copy of source's tree (its children too when deep), as if its XML
// had been loaded into a new DOMDocument60; the document properties start afresh.
HRESULT CloneDocument(DomDocument& source, VARIANT_BOOL deep, IXMLDOMNode** clone);

}  // namespace kx::xml
