#include "text_buffer.h"

#include <algorithm>
#include <cstdarg>
#include <new>
#include <string>

#include "kx/wide_format.h"

namespace kx {
namespace {

std::u16string_view ViewOf(const WCHAR* text) {
  return text ? std::u16string_view(text) : std::u16string_view();
}

// The printf-style result of format: E_INVALIDARG for a null or malformed template.
HRESULT FormatText(std::u16string& text, const WCHAR* format, va_list args) noexcept {
  try {
    return format && AppendWideFormatV(text, format, args) ? S_OK : E_INVALIDARG;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace

void TextBuffer::Assign(const WCHAR* text) {
  if (text) Assign(ViewOf(text));
}

void TextBuffer::Assign(std::u16string_view text) {
  Reserve(text.size());
  CheckedCopy(MutableText(), Capacity(), text);
  SetLength(text.size());
}

void TextBuffer::Append(const WCHAR* text) { Append(ViewOf(text)); }

void TextBuffer::Append(std::u16string_view text) {
  const std::size_t length = Length();
  Reserve(length + text.size());
  CheckedCopy(MutableText() + length, Capacity() - length, text);
  SetLength(length + text.size());
}

bool TextBuffer::Equals(const WCHAR* text) const {
  if (!text) throw CXDException(E_FAIL);
  return View() == ViewOf(text);
}

std::ptrdiff_t TextBuffer::Find(const WCHAR* text) const {
  const std::size_t index = View().find(ViewOf(text));
  return index == std::u16string_view::npos ? -1 : static_cast<std::ptrdiff_t>(index);
}

void TextBuffer::Format(const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  std::u16string text;
  const HRESULT hr = FormatText(text, format, args);
  va_end(args);
  ThrowOnFailure(hr);
  Assign(std::u16string_view(text));
}

std::size_t TextBuffer::ReplaceAll(const WCHAR* from, const WCHAR* to) {
  const std::u16string_view pattern = ViewOf(from);
  const std::u16string_view replacement = ViewOf(to);
  if (pattern.empty() || !Text()) return 0;
  std::size_t count = 0;
  for (std::size_t at = View().find(pattern); at != std::u16string_view::npos;
       at = View().find(pattern, at + pattern.size()))
    ++count;
  if (count == 0) return 0;
  // Grown once to the final length, then each occurrence is replaced by moving the tail.
  std::size_t length = Length();
  Reserve(std::max(length, length - count * pattern.size() + count * replacement.size()));
  WCHAR* text = MutableText();
  for (std::size_t at = View().find(pattern); at != std::u16string_view::npos;
       at = View().find(pattern, at + replacement.size())) {
    std::memmove(text + at + replacement.size(), text + at + pattern.size(),
                 (length - at - pattern.size()) * sizeof(WCHAR));
    std::memcpy(text + at, replacement.data(), replacement.size() * sizeof(WCHAR));
    length = length - pattern.size() + replacement.size();
    SetLength(length);
  }
  return count;
}

HRESULT TextBuffer::CopyTo(BSTR* out) const {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(View().data(), static_cast<UINT>(Length()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace kx
