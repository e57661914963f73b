// Utf16Arena: UTF-16 copies of libxml2's UTF-8 strings, appended one after another into one
// reusable block, so that a parse converts names and values without an allocation per string.
#pragma once

#include <memory>
#include <string_view>

#include "windef.h"

namespace kx::xml {

class Utf16Arena {
 public:
  struct Span {
    std::size_t offset = 0;
    std::size_t length = 0;
  };

  // Appends the UTF-16 form of utf8 (well-formed, as libxml2 hands it out).
  Span Append(std::string_view utf8);
  Span Append(std::u16string_view text);
  void Clear() { size_ = 0; }

  // Valid until the next Append.
  std::u16string_view View(Span span) const { return {data_.get() + span.offset, span.length}; }
  const WCHAR* Data(Span span) const { return data_.get() + span.offset; }

 private:
  WCHAR* Reserve(std::size_t count);

  std::unique_ptr<WCHAR[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// A UTF-16 copy of a UTF-8 string, for single conversions.
std::u16string ToUtf16(std::string_view utf8);

}  // namespace kx::xml
