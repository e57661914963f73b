// Utf8Text: the UTF-8 form of a TextBuffer's text, made on demand. Borrows the buffer; owns
// the bytes until it is destroyed or converts again.
#pragma once

#include <memory>

#include "text_buffer.h"

namespace kx {

class Utf8Text {
 public:
  explicit Utf8Text(const TextBuffer& text) : text_(text) {}

  // The whole text without terminator or byte order mark. E_FAIL for an empty text or a
  // failed conversion; E_POINTER for a null out argument.
  HRESULT Convert(const BYTE** bytes, ULONG* count);

 private:
  const TextBuffer& text_;
  std::unique_ptr<BYTE[]> bytes_;
};

}  // namespace kx
