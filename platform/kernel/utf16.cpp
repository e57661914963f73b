#include "kx/utf16.h"

#include <cstdint>
#include <cstring>

namespace kx {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (c >> 10));
    out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
  }
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Decodes one UTF-8 sequence at text[i], advancing i; shortest forms only, no surrogates.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int extra;
  char32_t c;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07, minimum = 0x10000;
  } else {
    return kReplacement;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
      return kReplacement;
    c = c << 6 | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) return kReplacement;
  return c;
}

// Reads one code point at in (advancing it); a lone surrogate becomes U+FFFD.
char32_t NextCodePoint(const char16_t*& in, const char16_t* end) {
  char32_t c = *in++;
  if (c < 0xD800 || c > 0xDFFF) return c;
  if (c <= 0xDBFF && in < end && *in >= 0xDC00 && *in <= 0xDFFF)
    return 0x10000 + ((c - 0xD800) << 10) + (*in++ - 0xDC00);
  return kReplacement;
}

int Utf8Units(char32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

}  // namespace

namespace {

// Whether the four units at in are all ASCII; page markup mostly is, four at a time.
bool FourAscii(const char16_t* in) {
  std::uint64_t units;
  std::memcpy(&units, in, sizeof units);
  return (units & 0xFF80FF80FF80FF80ULL) == 0;
}

}  // namespace

std::size_t Utf8Length(std::u16string_view text) {
  std::size_t size = text.size();  // one byte a unit, and what more the others take
  const char16_t* in = text.data();
  const char16_t* const end = in + text.size();
  while (in < end) {
    if (end - in >= 4 && FourAscii(in)) {
      in += 4;
    } else if (*in < 0x80) {
      ++in;
    } else {
      const char16_t* start = in;
      size += static_cast<std::size_t>(Utf8Units(NextCodePoint(in, end))) -
              static_cast<std::size_t>(in - start);
    }
  }
  return size;
}

std::size_t EncodeUtf8(std::u16string_view text, char* out) {
  static constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  char* p = out;
  for (const char16_t* in = text.data(), *end = in + text.size(); in < end;) {
    if (end - in >= 4 && FourAscii(in)) {
      for (int k = 0; k < 4; ++k) p[k] = static_cast<char>(in[k]);
      p += 4;
      in += 4;
      continue;
    }
    if (*in < 0x80) {
      *p++ = static_cast<char>(*in++);
      continue;
    }
    char32_t c = NextCodePoint(in, end);
    const int units = Utf8Units(c);
    for (int k = units - 1; k > 0; --k, c >>= 6) p[k] = static_cast<char>(0x80 | (c & 0x3F));
    p[0] = static_cast<char>(kLead[units] | c);
    p += units;
  }
  return static_cast<std::size_t>(p - out);
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out(text.size() * 3, '\0');  // no unit takes more than three bytes
  out.resize(EncodeUtf8(text, out.data()));
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendUtf16(out, DecodeUtf8(text, i));
  return out;
}

}  // namespace kx
