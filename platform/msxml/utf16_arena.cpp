#include "utf16_arena.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kx::xml {
namespace {

// Decodes well-formed UTF-8 into out, which has room for utf8.size() units; returns the count.
std::size_t DecodeInto(std::string_view utf8, WCHAR* out) {
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = in + utf8.size();
  WCHAR* start = out;
  while (in < end) {
    // Names and values are mostly ASCII: eight bytes at a time.
    if (end - in >= 8) {
      std::uint64_t bytes;
      std::memcpy(&bytes, in, sizeof bytes);
      if ((bytes & 0x8080808080808080ULL) == 0) {
        for (int k = 0; k < 8; ++k) out[k] = static_cast<WCHAR>(in[k]);
        in += 8;
        out += 8;
        continue;
      }
    }
    const unsigned lead = *in++;
    if (lead < 0x80) {
      *out++ = static_cast<WCHAR>(lead);
      continue;
    }
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t c = lead & (0x3F >> extra);
    for (int k = 0; k < extra && in < end; ++k) c = c << 6 | (*in++ & 0x3F);
    if (c < 0x10000) {
      *out++ = static_cast<WCHAR>(c);
    } else {
      c -= 0x10000;
      *out++ = static_cast<WCHAR>(0xD800 | (c >> 10));
      *out++ = static_cast<WCHAR>(0xDC00 | (c & 0x3FF));
    }
  }
  return static_cast<std::size_t>(out - start);
}

}  // namespace

WCHAR* Utf16Arena::Reserve(std::size_t count) {
  if (size_ + count > capacity_) {
    const std::size_t capacity = std::max(size_ + count, capacity_ * 2 + 256);
    auto grown = std::make_unique<WCHAR[]>(capacity);
    if (size_) std::memcpy(grown.get(), data_.get(), size_ * sizeof(WCHAR));
    data_ = std::move(grown);
    capacity_ = capacity;
  }
  return data_.get() + size_;
}

// A UTF-8 string never has fewer bytes than its UTF-16 form has units.
Utf16Arena::Span Utf16Arena::Append(std::string_view utf8) {
  const Span span{size_, DecodeInto(utf8, Reserve(utf8.size()))};
  size_ += span.length;
  return span;
}

Utf16Arena::Span Utf16Arena::Append(std::u16string_view text) {
  WCHAR* out = Reserve(text.size());
  if (!text.empty()) std::memcpy(out, text.data(), text.size() * sizeof(WCHAR));
  const Span span{size_, text.size()};
  size_ += span.length;
  return span;
}

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string text(utf8.size(), u'\0');
  text.resize(DecodeInto(utf8, text.data()));
  return text;
}

}  // namespace kx::xml
