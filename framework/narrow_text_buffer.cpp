#include "narrow_text_buffer.h"

#include <cstdarg>
#include <cstdio>

#include "stringapiset.h"

namespace kx {

void NarrowTextBuffer::Format(const char* format, ...) {
  if (!format) throw CXDException(E_INVALIDARG);
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length < 0) throw CXDException(E_INVALIDARG);
  Reserve(static_cast<std::size_t>(length));
  va_start(args, format);
  std::vsnprintf(MutableText(), Capacity(), format, args);
  va_end(args);
  SetLength(static_cast<std::size_t>(length));
}

void NarrowTextBuffer::FromWide(const WCHAR* text) {
  Free();
  if (!text || !*text) return;
  const int count = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (count <= 0) throw CXDException(E_FAIL);
  Reserve(static_cast<std::size_t>(count));
  if (Capacity() < static_cast<std::size_t>(count)) throw CXDException(kInsufficientBuffer);
  const int converted =
      WideCharToMultiByte(CP_ACP, 0, text, -1, MutableText(), count, nullptr, nullptr);
  if (converted != count) throw CXDException(E_FAIL);
  SetLength(static_cast<std::size_t>(count - 1));
}

}  // namespace kx
