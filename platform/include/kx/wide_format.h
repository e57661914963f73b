// printf-style formatting of UTF-16 templates. WCHAR is char16_t here, so the C library's
// swprintf (32-bit wchar_t) does not apply.
//
// Conversions d i u o x X c s S f F e E g G a A p and %%, with flags, width and precision
// (numbers or *), and the length modifiers hh h l ll L z j t I32 I64. As on the original
// platform, %s, %ls and %ws take a WCHAR string in a wide template and %hs and %S a narrow
// one; %c takes a WCHAR and %hc a char. Numbers follow the "C" locale.
#pragma once

#include <cstdarg>
#include <string>

#include "windef.h"

namespace kx {

// Appends the formatted text to out; false (out unchanged) for a malformed template or %n.
bool AppendWideFormatV(std::u16string& out, const WCHAR* format, va_list args);

// The length of the result without its terminator, or -1 for a malformed template.
int WideFormatLength(const WCHAR* format, va_list args);
// Writes the result and a terminator into buffer; -1 when the template is malformed or the
// result and its terminator do not fit in capacity characters.
int WideFormatInto(WCHAR* buffer, std::size_t capacity, const WCHAR* format, va_list args);
// The formatted text; throws HResultError(E_INVALIDARG) for a malformed template.
std::u16string WideFormat(const WCHAR* format, ...);

}  // namespace kx
