// SaxAttributes: the ISAXAttributes of one startElement. The SAX reader fills it anew for
// every element; the strings live in one arena, so an element costs no allocation once the
// arena has grown to the largest start tag.
#pragma once

#include <vector>

#include "kx/com_object.h"
#include "msxml6.h"
#include "utf16_arena.h"

namespace kx::xml {

class SaxAttributes final : public ComObject<ISAXAttributes> {
 public:
  using Span = Utf16Arena::Span;

  void Clear();
  Utf16Arena& Text() { return text_; }
  void Add(Span uri, Span localName, Span qName, Span value);

  HRESULT STDMETHODCALLTYPE getLength(int* length) override;
  HRESULT STDMETHODCALLTYPE getURI(int index, const WCHAR** uri, int* uriLength) override;
  HRESULT STDMETHODCALLTYPE getLocalName(int index, const WCHAR** localName,
                                         int* localNameLength) override;
  HRESULT STDMETHODCALLTYPE getQName(int index, const WCHAR** qName, int* qNameLength) override;
  HRESULT STDMETHODCALLTYPE getName(int index, const WCHAR** uri, int* uriLength,
                                    const WCHAR** localName, int* localNameLength,
                                    const WCHAR** qName, int* qNameLength) override;
  HRESULT STDMETHODCALLTYPE getIndexFromName(const WCHAR* uri, int uriLength,
                                             const WCHAR* localName, int localNameLength,
                                             int* index) override;
  HRESULT STDMETHODCALLTYPE getIndexFromQName(const WCHAR* qName, int qNameLength,
                                              int* index) override;
  HRESULT STDMETHODCALLTYPE getType(int index, const WCHAR** type, int* typeLength) override;
  HRESULT STDMETHODCALLTYPE getTypeFromName(const WCHAR* uri, int uriLength, const WCHAR* localName,
                                            int localNameLength, const WCHAR** type,
                                            int* typeLength) override;
  HRESULT STDMETHODCALLTYPE getTypeFromQName(const WCHAR* qName, int qNameLength,
                                             const WCHAR** type, int* typeLength) override;
  HRESULT STDMETHODCALLTYPE getValue(int index, const WCHAR** value, int* valueLength) override;
  HRESULT STDMETHODCALLTYPE getValueFromName(const WCHAR* uri, int uriLength,
                                             const WCHAR* localName, int localNameLength,
                                             const WCHAR** value, int* valueLength) override;
  HRESULT STDMETHODCALLTYPE getValueFromQName(const WCHAR* qName, int qNameLength,
                                              const WCHAR** value, int* valueLength) override;

 private:
  struct Item {
    Span uri;
    Span localName;
    Span qName;
    Span value;
  };

  HRESULT Lookup(int index, const Item** item) const;
  HRESULT Hand(Span span, const WCHAR** text, int* length) const;
  int IndexOf(std::u16string_view uri, std::u16string_view localName) const;
  int IndexOf(std::u16string_view qName) const;
  HRESULT HandType(int index, const WCHAR** type, int* typeLength) const;

  Utf16Arena text_;
  std::vector<Item> items_;
};

}  // namespace kx::xml
