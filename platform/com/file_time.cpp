#include <chrono>

#include "objbase.h"

extern "C" HRESULT CoFileTimeNow(FILETIME* lpFileTime) {
  if (!lpFileTime) return E_INVALIDARG;
  // FILETIME counts 100 ns from 1601-01-01; the Unix epoch is 11644473600 s later.
  constexpr std::uint64_t kEpochDifference = 11644473600ull * 10'000'000ull;
  const auto since_unix = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  const std::uint64_t ticks =
      static_cast<std::uint64_t>(since_unix.count()) / 100 + kEpochDifference;
  lpFileTime->dwLowDateTime = static_cast<DWORD>(ticks);
  lpFileTime->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return S_OK;
}
