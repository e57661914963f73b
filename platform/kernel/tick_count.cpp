#include <chrono>

#include "winbase.h"

extern "C" DWORD GetTickCount() {
  const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<DWORD>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
}
