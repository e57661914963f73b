#include <algorithm>
#include <cstring>
#include <string>

#include "kx/utf16.h"
#include "stringapiset.h"
#include "winbase.h"

namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes map to the same code point, as on the
// original platform.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromWindows1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

bool ToWindows1252(char16_t c, char& byte) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    byte = static_cast<char>(c);
    return true;
  }
  const auto* found = std::find(std::begin(kHighControls), std::end(kHighControls), c);
  if (found == std::end(kHighControls)) return false;
  byte = static_cast<char>(0x80 + (found - kHighControls));
  return true;
}

bool IsWindows1252(UINT codePage) { return codePage == CP_ACP || codePage == CP_WINDOWS_1252; }

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Copies a converted text out, or measures it when size is 0.
template <class Char>
int Hand(const std::basic_string<Char>& text, Char* out, int size) {
  if (text.size() > static_cast<std::size_t>(INT32_MAX)) return Fail(ERROR_INVALID_PARAMETER);
  if (size == 0) return static_cast<int>(text.size());
  if (text.size() > static_cast<std::size_t>(size)) return Fail(ERROR_INSUFFICIENT_BUFFER);
  if (!text.empty()) std::memcpy(out, text.data(), text.size() * sizeof(Char));
  return static_cast<int>(text.size());
}

template <class Char>
bool ValidArguments(const Char* in, int count, const void* out, int size) {
  return in && count != 0 && count >= -1 && size >= 0 && (size == 0 || out) &&
         static_cast<const void*>(in) != out;
}

template <class Char>
std::basic_string_view<Char> InputOf(const Char* in, int count) {
  if (count >= 0) return {in, static_cast<std::size_t>(count)};
  return {in, std::char_traits<Char>::length(in) + 1};
}

}  // namespace

extern "C" int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr,
                                   int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                                   LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar) {
  if (!ValidArguments(lpWideCharStr, cchWideChar, lpMultiByteStr, cbMultiByte))
    return Fail(ERROR_INVALID_PARAMETER);
  const std::u16string_view input = InputOf(lpWideCharStr, cchWideChar);
  if (CodePage == CP_UTF8) {
    if (lpDefaultChar || lpUsedDefaultChar) return Fail(ERROR_INVALID_PARAMETER);
    if (dwFlags) return Fail(ERROR_INVALID_FLAGS);
    // Three bytes a unit are room for any text, which then needs no measuring first.
    if (cbMultiByte > 0 && static_cast<std::size_t>(cbMultiByte) / 3 >= input.size())
      return static_cast<int>(kx::EncodeUtf8(input, lpMultiByteStr));
    const std::size_t size = kx::Utf8Length(input);
    if (size > static_cast<std::size_t>(INT32_MAX)) return Fail(ERROR_INVALID_PARAMETER);
    if (cbMultiByte == 0) return static_cast<int>(size);
    if (size > static_cast<std::size_t>(cbMultiByte)) return Fail(ERROR_INSUFFICIENT_BUFFER);
    return static_cast<int>(kx::EncodeUtf8(input, lpMultiByteStr));
  }
  if (!IsWindows1252(CodePage)) return Fail(ERROR_INVALID_PARAMETER);
  std::string text(input.size(), '\0');
  bool usedDefault = false;
  for (std::size_t i = 0; i < input.size(); ++i) {
    if (!ToWindows1252(input[i], text[i])) {
      text[i] = lpDefaultChar ? *lpDefaultChar : '?';
      usedDefault = true;
    }
  }
  if (lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault;
  return Hand(text, lpMultiByteStr, cbMultiByte);
}

extern "C" int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                                   int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar) {
  if (!ValidArguments(lpMultiByteStr, cbMultiByte, lpWideCharStr, cchWideChar))
    return Fail(ERROR_INVALID_PARAMETER);
  const std::string_view input = InputOf(lpMultiByteStr, cbMultiByte);
  if (CodePage == CP_UTF8) {
    if (dwFlags) return Fail(ERROR_INVALID_FLAGS);
    return Hand(kx::Utf8ToUtf16(input), lpWideCharStr, cchWideChar);
  }
  if (!IsWindows1252(CodePage)) return Fail(ERROR_INVALID_PARAMETER);
  std::u16string text(input.size(), u'\0');
  std::transform(input.begin(), input.end(), text.begin(),
                 [](char c) { return FromWindows1252(static_cast<unsigned char>(c)); });
  return Hand(text, lpWideCharStr, cchWideChar);
}
