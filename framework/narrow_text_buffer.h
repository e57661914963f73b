// NarrowTextBuffer: growable 8-bit text (see TextBlock for the growth rule), in the ANSI code
// page (Windows-1252 on this platform). Failures throw CXDException.
#pragma once

#include "text_block.h"

namespace kx {

class NarrowTextBuffer : public TextBlock<char> {
 public:
  // Replaces the text with the printf-style result; a null or malformed template throws
  // E_INVALIDARG.
  void Format(const char* format, ...);
  // The text in the ANSI code page, terminator included. An empty or null text leaves no
  // block; a conversion that gives another count than measured throws E_FAIL.
  void FromWide(const WCHAR* text);
};

}  // namespace kx
