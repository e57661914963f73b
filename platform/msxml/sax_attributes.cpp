#include "sax_attributes.h"

namespace kx::xml {
namespace {

// Attribute types come from a DTD, which is never read: every attribute is CDATA.
constexpr std::u16string_view kCdata = u"CDATA";

std::u16string_view ViewOf(const WCHAR* text, int length) {
  return text && length > 0 ? std::u16string_view(text, static_cast<std::size_t>(length))
                            : std::u16string_view();
}

}  // namespace

void SaxAttributes::Clear() {
  text_.Clear();
  items_.clear();
}

void SaxAttributes::Add(Span uri, Span localName, Span qName, Span value) {
  items_.push_back({uri, localName, qName, value});
}

HRESULT SaxAttributes::Lookup(int index, const Item** item) const {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return E_INVALIDARG;
  *item = &items_[static_cast<std::size_t>(index)];
  return S_OK;
}

HRESULT SaxAttributes::Hand(Span span, const WCHAR** text, int* length) const {
  if (!text || !length) return E_POINTER;
  *text = text_.Data(span);
  *length = static_cast<int>(span.length);
  return S_OK;
}

int SaxAttributes::IndexOf(std::u16string_view uri, std::u16string_view localName) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (text_.View(items_[i].uri) == uri && text_.View(items_[i].localName) == localName)
      return static_cast<int>(i);
  return -1;
}

int SaxAttributes::IndexOf(std::u16string_view qName) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (text_.View(items_[i].qName) == qName) return static_cast<int>(i);
  return -1;
}

HRESULT SaxAttributes::getLength(int* length) {
  if (!length) return E_POINTER;
  *length = static_cast<int>(items_.size());
  return S_OK;
}

HRESULT SaxAttributes::getURI(int index, const WCHAR** uri, int* uriLength) {
  const Item* item = nullptr;
  const HRESULT hr = Lookup(index, &item);
  return FAILED(hr) ? hr : Hand(item->uri, uri, uriLength);
}

HRESULT SaxAttributes::getLocalName(int index, const WCHAR** localName, int* localNameLength) {
  const Item* item = nullptr;
  const HRESULT hr = Lookup(index, &item);
  return FAILED(hr) ? hr : Hand(item->localName, localName, localNameLength);
}

HRESULT SaxAttributes::getQName(int index, const WCHAR** qName, int* qNameLength) {
  const Item* item = nullptr;
  const HRESULT hr = Lookup(index, &item);
  return FAILED(hr) ? hr : Hand(item->qName, qName, qNameLength);
}

HRESULT SaxAttributes::getName(int index, const WCHAR** uri, int* uriLength,
                               const WCHAR** localName, int* localNameLength, const WCHAR** qName,
                               int* qNameLength) {
  const Item* item = nullptr;
  HRESULT hr = Lookup(index, &item);
  if (SUCCEEDED(hr)) hr = Hand(item->uri, uri, uriLength);
  if (SUCCEEDED(hr)) hr = Hand(item->localName, localName, localNameLength);
  if (SUCCEEDED(hr)) hr = Hand(item->qName, qName, qNameLength);
  return hr;
}

HRESULT SaxAttributes::getIndexFromName(const WCHAR* uri, int uriLength, const WCHAR* localName,
                                        int localNameLength, int* index) {
  if (!index) return E_POINTER;
  *index = IndexOf(ViewOf(uri, uriLength), ViewOf(localName, localNameLength));
  return *index < 0 ? E_INVALIDARG : S_OK;
}

HRESULT SaxAttributes::getIndexFromQName(const WCHAR* qName, int qNameLength, int* index) {
  if (!index) return E_POINTER;
  *index = IndexOf(ViewOf(qName, qNameLength));
  return *index < 0 ? E_INVALIDARG : S_OK;
}

HRESULT SaxAttributes::HandType(int index, const WCHAR** type, int* typeLength) const {
  if (!type || !typeLength) return E_POINTER;
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return E_INVALIDARG;
  *type = kCdata.data();
  *typeLength = static_cast<int>(kCdata.size());
  return S_OK;
}

HRESULT SaxAttributes::getType(int index, const WCHAR** type, int* typeLength) {
  return HandType(index, type, typeLength);
}

HRESULT SaxAttributes::getTypeFromName(const WCHAR* uri, int uriLength, const WCHAR* localName,
                                       int localNameLength, const WCHAR** type, int* typeLength) {
  return HandType(IndexOf(ViewOf(uri, uriLength), ViewOf(localName, localNameLength)), type,
                  typeLength);
}

HRESULT SaxAttributes::getTypeFromQName(const WCHAR* qName, int qNameLength, const WCHAR** type,
                                        int* typeLength) {
  return HandType(IndexOf(ViewOf(qName, qNameLength)), type, typeLength);
}

HRESULT SaxAttributes::getValue(int index, const WCHAR** value, int* valueLength) {
  const Item* item = nullptr;
  const HRESULT hr = Lookup(index, &item);
  return FAILED(hr) ? hr : Hand(item->value, value, valueLength);
}

HRESULT SaxAttributes::getValueFromName(const WCHAR* uri, int uriLength, const WCHAR* localName,
                                        int localNameLength, const WCHAR** value,
                                        int* valueLength) {
  return getValue(IndexOf(ViewOf(uri, uriLength), ViewOf(localName, localNameLength)), value,
                  valueLength);
}

HRESULT SaxAttributes::getValueFromQName(const WCHAR* qName, int qNameLength, const WCHAR** value,
                                         int* valueLength) {
  return getValue(IndexOf(ViewOf(qName, qNameLength)), value, valueLength);
}

}  // namespace kx::xml
