// The DOM's node list (a snapshot) and attribute map (live over one element).
#pragma once

#include <vector>

#include "dom_document.h"

namespace kx::xml {

class DomNodeList final : public ComObject<IXMLDOMNodeList> {
 public:
  DomNodeList(ComPtr<DomDocument> owner, std::vector<xmlNodePtr> nodes)
      : owner_(std::move(owner)), nodes_(std::move(nodes)) {}

  HRESULT STDMETHODCALLTYPE get_item(LONG index, IXMLDOMNode** listItem) override;
  HRESULT STDMETHODCALLTYPE get_length(LONG* listLength) override;
  HRESULT STDMETHODCALLTYPE nextNode(IXMLDOMNode** nextItem) override;
  HRESULT STDMETHODCALLTYPE reset() override;

 private:
  ComPtr<DomDocument> owner_;
  std::vector<xmlNodePtr> nodes_;
  std::size_t next_ = 0;
};

class DomAttributeMap final : public ComObject<IXMLDOMNamedNodeMap> {
 public:
  DomAttributeMap(ComPtr<DomDocument> owner, xmlNodePtr element)
      : owner_(std::move(owner)), element_(element) {}

  HRESULT STDMETHODCALLTYPE getNamedItem(BSTR name, IXMLDOMNode** namedItem) override;
  HRESULT STDMETHODCALLTYPE setNamedItem(IXMLDOMNode* newItem, IXMLDOMNode** nameItem) override;
  HRESULT STDMETHODCALLTYPE removeNamedItem(BSTR name, IXMLDOMNode** namedItem) override;
  HRESULT STDMETHODCALLTYPE get_item(LONG index, IXMLDOMNode** listItem) override;
  HRESULT STDMETHODCALLTYPE get_length(LONG* listLength) override;
  HRESULT STDMETHODCALLTYPE nextNode(IXMLDOMNode** nextItem) override;
  HRESULT STDMETHODCALLTYPE reset() override;

 private:
  ComPtr<DomDocument> owner_;
  xmlNodePtr element_;
  std::size_t next_ = 0;
};

// Hands out item index of nodes: S_FALSE and null past the end.
HRESULT HandOutItem(DomDocument& owner, const std::vector<xmlNodePtr>& nodes, LONG index,
                    IXMLDOMNode** item);

}  // namespace kx::xml
