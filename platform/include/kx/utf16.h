// Conversions between the system's UTF-16 text and the UTF-8 of Linux file names and libraries.
// Ill-formed input (lone surrogates, bad UTF-8) becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace kx {

std::string Utf16ToUtf8(std::u16string_view text);
// The UTF-8 length of text, a lone surrogate counted as U+FFFD.
std::size_t Utf8Length(std::u16string_view text);
// Writes text as UTF-8 into out, which has room for Utf8Length(text) bytes; returns that count.
std::size_t EncodeUtf8(std::u16string_view text, char* out);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace kx
