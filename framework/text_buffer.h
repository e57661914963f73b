// TextBuffer: growable UTF-16 text in which markup is built (see TextBlock for the growth
// rule). Failures throw CXDException. One owner; moves, never copies.
#pragma once

#include "oleauto.h"
#include "text_block.h"

namespace kx {

class TextBuffer : public TextBlock<WCHAR> {
 public:
  // A null text leaves the buffer unchanged.
  void Assign(const WCHAR* text);
  void Assign(std::u16string_view text);
  // An absent buffer is first made empty.
  void Append(const WCHAR* text);
  void Append(std::u16string_view text);
  void Append(WCHAR c) {
    // Markup is written a character at a time as often as not: room for it and the
    // terminator takes the short way.
    if (Length() + 1 < Capacity()) {
      MutableText()[Length()] = c;
      SetLength(Length() + 1);
    } else {
      Append(std::u16string_view(&c, 1));
    }
  }
  // Exact comparison; a null text throws E_FAIL.
  bool Equals(const WCHAR* text) const;
  // Index of the first occurrence, or -1.
  std::ptrdiff_t Find(const WCHAR* text) const;
  // Replaces the text with the printf-style result (kx/wide_format.h); a null or malformed
  // template throws E_INVALIDARG.
  void Format(const WCHAR* format, ...);
  // Replaces every occurrence of from, left to right; text put in is not searched again.
  // Returns the number of replacements.
  std::size_t ReplaceAll(const WCHAR* from, const WCHAR* to);
  // A new BSTR with the text into out; E_OUTOFMEMORY leaves it null.
  HRESULT CopyTo(BSTR* out) const;
};

}  // namespace kx
