#include "memory_streams.h"

#include <algorithm>
#include <cstring>

namespace kx::test {

HRESULT MemoryReadStream::Seek(LONGLONG move, DWORD origin, ULONGLONG* position) {
  ++seekCount;
  LONGLONG base = 0;
  if (origin == STREAM_SEEK_CUR) base = static_cast<LONGLONG>(position_);
  if (origin == STREAM_SEEK_END) base = static_cast<LONGLONG>(bytes_.size());
  if (origin > STREAM_SEEK_END || base + move < 0) return STG_E_INVALIDFUNCTION;
  position_ = static_cast<ULONGLONG>(base + move);
  if (position) *position = position_;
  return S_OK;
}

HRESULT MemoryReadStream::ReadBytes(void* buffer, ULONG requested, ULONG* read, BOOL* endOfFile) {
  if (!buffer || !read) return E_POINTER;
  const ULONGLONG available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
  const ULONG count = static_cast<ULONG>(std::min<ULONGLONG>(requested, available));
  std::memcpy(buffer, bytes_.data() + position_, count);
  position_ += count;
  *read = count;
  if (endOfFile) *endOfFile = position_ >= bytes_.size();
  return S_OK;
}

}  // namespace kx::test
