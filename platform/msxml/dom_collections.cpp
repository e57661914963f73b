#include "dom_collections.h"

#include "dom_attributes.h"
#include "kx/hresult_error.h"

namespace kx::xml {

HRESULT HandOutItem(DomDocument& owner, const std::vector<xmlNodePtr>& nodes, LONG index,
                    IXMLDOMNode** item) {
  if (!item) return E_POINTER;
  *item = nullptr;
  if (index < 0) return E_INVALIDARG;
  if (static_cast<std::size_t>(index) >= nodes.size()) return S_FALSE;
  return HandOut(owner, nodes[static_cast<std::size_t>(index)], item);
}

HRESULT DomNodeList::get_item(LONG index, IXMLDOMNode** listItem) {
  return HResultBoundary([&] { return HandOutItem(*owner_.Get(), nodes_, index, listItem); });
}

HRESULT DomNodeList::get_length(LONG* listLength) {
  if (!listLength) return E_POINTER;
  *listLength = static_cast<LONG>(nodes_.size());
  return S_OK;
}

HRESULT DomNodeList::nextNode(IXMLDOMNode** nextItem) {
  return HResultBoundary([&] {
    const HRESULT hr = HandOutItem(*owner_.Get(), nodes_, static_cast<LONG>(next_), nextItem);
    if (hr == S_OK) ++next_;
    return hr;
  });
}

HRESULT DomNodeList::reset() {
  next_ = 0;
  return S_OK;
}

HRESULT DomAttributeMap::getNamedItem(BSTR name, IXMLDOMNode** namedItem) {
  if (!namedItem) return E_POINTER;
  *namedItem = nullptr;
  return HResultBoundary([&] {
    return HandOut(*owner_.Get(), FindAttributeItem(*owner_.Get(), element_, FromBstr(name)),
                   namedItem);
  });
}

HRESULT DomAttributeMap::setNamedItem(IXMLDOMNode* newItem, IXMLDOMNode** nameItem) {
  return HResultBoundary([&] {
    HRESULT hr = AttachAttribute(*owner_.Get(), element_, newItem, nullptr);
    if (SUCCEEDED(hr) && nameItem) hr = ComPtr<IXMLDOMNode>(newItem).CopyTo(nameItem);
    return hr;
  });
}

HRESULT DomAttributeMap::removeNamedItem(BSTR name, IXMLDOMNode** namedItem) {
  return HResultBoundary(
      [&] { return DetachAttribute(*owner_.Get(), element_, FromBstr(name), namedItem); });
}

HRESULT DomAttributeMap::get_item(LONG index, IXMLDOMNode** listItem) {
  return HResultBoundary([&] {
    return HandOutItem(*owner_.Get(), AttributeItems(*owner_.Get(), element_), index, listItem);
  });
}

HRESULT DomAttributeMap::get_length(LONG* listLength) {
  if (!listLength) return E_POINTER;
  return HResultBoundary([&] {
    *listLength = static_cast<LONG>(AttributeItems(*owner_.Get(), element_).size());
    return S_OK;
  });
}

HRESULT DomAttributeMap::nextNode(IXMLDOMNode** nextItem) {
  return HResultBoundary([&] {
    const HRESULT hr = HandOutItem(*owner_.Get(), AttributeItems(*owner_.Get(), element_),
                                   static_cast<LONG>(next_), nextItem);
    if (hr == S_OK) ++next_;
    return hr;
  });
}

HRESULT DomAttributeMap::reset() {
  next_ = 0;
  return S_OK;
}

}  // namespace kx::xml
