#include "kx/wide_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "kx/hresult_error.h"
#include "kx/utf16.h"

namespace kx {
namespace {

enum class Length { None, Char, Short, Long, LongLong, LongDouble, Size, Max, Diff, Wide };

struct Spec {
  std::string flags;
  int width = -1;
  int precision = -1;
  Length length = Length::None;
  char conversion = 0;
};

bool IsFlag(WCHAR c) { return c == u'-' || c == u'+' || c == u' ' || c == u'#' || c == u'0'; }
bool IsDigit(WCHAR c) { return c >= u'0' && c <= u'9'; }

int ReadNumber(const WCHAR*& p) {
  int value = 0;
  while (IsDigit(*p) && value < 100000) value = value * 10 + (*p++ - u'0');
  return value;
}

Length ReadLength(const WCHAR*& p) {
  auto take = [&p](std::u16string_view text) {
    if (std::u16string_view(p).substr(0, text.size()) != text) return false;
    p += text.size();
    return true;
  };
  if (take(u"hh")) return Length::Char;
  if (take(u"h")) return Length::Short;
  if (take(u"ll") || take(u"I64")) return Length::LongLong;
  if (take(u"I32")) return Length::None;
  if (take(u"l")) return Length::Long;
  if (take(u"w")) return Length::Wide;
  if (take(u"L")) return Length::LongDouble;
  if (take(u"z")) return Length::Size;
  if (take(u"j")) return Length::Max;
  if (take(u"t")) return Length::Diff;
  return Length::None;
}

// Reads the part of a conversion after '%'; false when it is malformed.
bool ReadSpec(const WCHAR*& p, va_list& args, Spec& spec) {
  while (IsFlag(*p)) spec.flags += static_cast<char>(*p++);
  if (*p == u'*') {
    ++p;
    spec.width = va_arg(args, int);
    if (spec.width < 0) {
      spec.flags += '-';
      spec.width = -spec.width;
    }
  } else if (IsDigit(*p)) {
    spec.width = ReadNumber(p);
  }
  if (*p == u'.') {
    ++p;
    if (*p == u'*') {
      ++p;
      spec.precision = va_arg(args, int);
    } else {
      spec.precision = ReadNumber(p);
    }
  }
  spec.length = ReadLength(p);
  if (*p == 0 || *p > 0x7F) return false;
  spec.conversion = static_cast<char>(*p++);
  return true;
}

// The narrow printf template for one number, without the length modifier.
std::string NumberTemplate(const Spec& spec, std::string_view length) {
  std::string text = "%" + spec.flags;
  if (spec.width >= 0) text += std::to_string(spec.width);
  if (spec.precision >= 0) text += "." + std::to_string(spec.precision);
  return text.append(length) + spec.conversion;
}

template <class T>
void AppendNumber(std::u16string& out, const Spec& spec, std::string_view length, T value) {
  const std::string format = NumberTemplate(spec, length);
  char small[64];
  const int size = std::snprintf(small, sizeof small, format.c_str(), value);
  if (size < 0) return;
  std::string text(static_cast<std::size_t>(size), '\0');
  if (static_cast<std::size_t>(size) < sizeof small) {
    std::memcpy(text.data(), small, text.size());
  } else {
    std::snprintf(text.data(), text.size() + 1, format.c_str(), value);
  }
  out.append(text.begin(), text.end());
}

// "%f" and "%.Nf" of an ordinary number, the form markup numbers are written in, without going
// through printf: std::to_chars gives the same digits. False for anything else.
bool AppendPlainFixed(std::u16string& out, const Spec& spec, double value) {
  if (spec.conversion != 'f' || !spec.flags.empty() || spec.width >= 0 || spec.precision > 20 ||
      !std::isfinite(value) || std::fabs(value) >= 1e15)
    return false;
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                                          spec.precision < 0 ? 6 : spec.precision);
  if (error != std::errc()) return false;
  out.append(text, end);
  return true;
}

void AppendPadded(std::u16string& out, const Spec& spec, std::u16string_view text) {
  if (spec.precision >= 0 && text.size() > static_cast<std::size_t>(spec.precision))
    text = text.substr(0, static_cast<std::size_t>(spec.precision));
  const std::size_t width = spec.width > 0 ? static_cast<std::size_t>(spec.width) : 0;
  const std::size_t padding = width > text.size() ? width - text.size() : 0;
  const bool left = spec.flags.find('-') != std::string::npos;
  if (!left) out.append(padding, u' ');
  out.append(text);
  if (left) out.append(padding, u' ');
}

// Fetches an integer argument of the size the length modifier names; Int is int or unsigned.
template <class Int>
void AppendInteger(std::u16string& out, const Spec& spec, va_list& args) {
  using Long = std::conditional_t<std::is_signed_v<Int>, long, unsigned long>;
  using LongLong = std::conditional_t<std::is_signed_v<Int>, long long, unsigned long long>;
  using Char = std::conditional_t<std::is_signed_v<Int>, signed char, unsigned char>;
  using Short = std::conditional_t<std::is_signed_v<Int>, short, unsigned short>;
  switch (spec.length) {
    case Length::Long:
      return AppendNumber(out, spec, "l", va_arg(args, Long));
    case Length::LongLong:
    case Length::Max:
      return AppendNumber(out, spec, "ll", va_arg(args, LongLong));
    case Length::Size:
    case Length::Diff:
      return AppendNumber(out, spec, "ll", static_cast<LongLong>(va_arg(args, std::size_t)));
    case Length::Char:
      return AppendNumber(out, spec, "", static_cast<Char>(va_arg(args, Int)));
    case Length::Short:
      return AppendNumber(out, spec, "", static_cast<Short>(va_arg(args, Int)));
    default:
      return AppendNumber(out, spec, "", va_arg(args, Int));
  }
}

void AppendString(std::u16string& out, const Spec& spec, va_list& args) {
  const bool narrow = spec.conversion == 'S' || spec.length == Length::Short;
  if (narrow) {
    const char* text = va_arg(args, const char*);
    return AppendPadded(out, spec, Utf8ToUtf16(text ? text : "(null)"));
  }
  const WCHAR* text = va_arg(args, const WCHAR*);
  AppendPadded(out, spec, text ? std::u16string_view(text) : u"(null)");
}

void AppendCharacter(std::u16string& out, const Spec& spec, va_list& args) {
  const int value = va_arg(args, int);
  const WCHAR c = spec.length == Length::Short
                      ? static_cast<WCHAR>(static_cast<unsigned char>(value))
                      : static_cast<WCHAR>(value);
  AppendPadded(out, Spec{spec.flags, spec.width, -1, spec.length, spec.conversion}, {&c, 1});
}

bool AppendConversion(std::u16string& out, const Spec& spec, va_list& args) {
  switch (spec.conversion) {
    case 'd':
    case 'i':
      AppendInteger<int>(out, spec, args);
      return true;
    case 'u':
    case 'o':
    case 'x':
    case 'X':
      AppendInteger<unsigned>(out, spec, args);
      return true;
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
      if (spec.length == Length::LongDouble) {
        AppendNumber(out, spec, "L", va_arg(args, long double));
      } else {
        const double value = va_arg(args, double);
        if (!AppendPlainFixed(out, spec, value)) AppendNumber(out, spec, "", value);
      }
      return true;
    case 'p':
      AppendNumber(out, spec, "", va_arg(args, void*));
      return true;
    case 's':
    case 'S':
      AppendString(out, spec, args);
      return true;
    case 'c':
    case 'C':
      AppendCharacter(out, spec, args);
      return true;
    default:
      return false;
  }
}

}  // namespace

bool AppendWideFormatV(std::u16string& out, const WCHAR* format, va_list args) {
  if (!format) return false;
  va_list list;
  va_copy(list, args);
  std::u16string text;
  bool ok = true;
  for (const WCHAR* p = format; *p && ok;) {
    if (*p != u'%') {
      text += *p++;
    } else if (p[1] == u'%') {
      text += u'%';
      p += 2;
    } else {
      Spec spec;
      ++p;
      ok = ReadSpec(p, list, spec) && AppendConversion(text, spec, list);
    }
  }
  va_end(list);
  if (ok) out += text;
  return ok;
}

int WideFormatLength(const WCHAR* format, va_list args) {
  std::u16string text;
  return AppendWideFormatV(text, format, args) ? static_cast<int>(text.size()) : -1;
}

int WideFormatInto(WCHAR* buffer, std::size_t capacity, const WCHAR* format, va_list args) {
  std::u16string text;
  if (!buffer || !AppendWideFormatV(text, format, args) || text.size() >= capacity) return -1;
  std::memcpy(buffer, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
  return static_cast<int>(text.size());
}

std::u16string WideFormat(const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  std::u16string text;
  const bool ok = AppendWideFormatV(text, format, args);
  va_end(args);
  if (!ok) throw HResultError{E_INVALIDARG};
  return text;
}

}  // namespace kx
