#include "utf8_text.h"

#include <new>

#include "stringapiset.h"

namespace kx {

HRESULT Utf8Text::Convert(const BYTE** bytes, ULONG* count) {
  if (!bytes || !count) return E_POINTER;
  *bytes = nullptr;
  *count = 0;
  bytes_.reset();
  const std::u16string_view text = text_.View();
  // Room for three bytes a unit, the most UTF-8 takes, so that the text is converted in one pass.
  if (text.empty() || text.size() > INT32_MAX / 3) return E_FAIL;
  const int length = static_cast<int>(text.size());
  const int room = length * 3;
  bytes_.reset(new (std::nothrow) BYTE[static_cast<std::size_t>(room)]);
  if (!bytes_) return E_OUTOFMEMORY;
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, reinterpret_cast<char*>(bytes_.get()),
                          room, nullptr, nullptr);
  if (size <= 0) return E_FAIL;
  *bytes = bytes_.get();
  *count = static_cast<ULONG>(size);
  return S_OK;
}

}  // namespace kx
