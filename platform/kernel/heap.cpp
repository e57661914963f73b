// The process heap: the C heap, with each block's requested size kept in front of it so that
// HeapSize and HEAP_ZERO_MEMORY on reallocation know it.
#include <cstdlib>
#include <cstring>

#include "winbase.h"

namespace {

// Keeps blocks aligned as malloc would.
constexpr std::size_t kHeaderSize = alignof(std::max_align_t);

int processHeap;  // its address is the handle

std::size_t& BlockSize(void* block) { return *static_cast<std::size_t*>(block); }
void* BlockOf(LPCVOID memory) {
  return static_cast<char*>(const_cast<void*>(memory)) - kHeaderSize;
}
void* MemoryOf(void* block) { return static_cast<char*>(block) + kHeaderSize; }

}  // namespace

extern "C" {

HANDLE GetProcessHeap() { return &processHeap; }

LPVOID HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes) {
  if (hHeap != &processHeap || dwBytes > SIZE_MAX - kHeaderSize) return nullptr;
  void* block = std::malloc(kHeaderSize + dwBytes);
  if (!block) return nullptr;
  BlockSize(block) = dwBytes;
  if (dwFlags & HEAP_ZERO_MEMORY) std::memset(MemoryOf(block), 0, dwBytes);
  return MemoryOf(block);
}

LPVOID HeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes) {
  if (hHeap != &processHeap || !lpMem || dwBytes > SIZE_MAX - kHeaderSize) return nullptr;
  const std::size_t oldSize = BlockSize(BlockOf(lpMem));
  void* block = std::realloc(BlockOf(lpMem), kHeaderSize + dwBytes);
  if (!block) return nullptr;
  BlockSize(block) = dwBytes;
  if ((dwFlags & HEAP_ZERO_MEMORY) && dwBytes > oldSize)
    std::memset(static_cast<char*>(MemoryOf(block)) + oldSize, 0, dwBytes - oldSize);
  return MemoryOf(block);
}

BOOL HeapFree(HANDLE hHeap, DWORD, LPVOID lpMem) {
  if (hHeap != &processHeap) return FALSE;
  if (lpMem) std::free(BlockOf(lpMem));
  return TRUE;
}

SIZE_T HeapSize(HANDLE hHeap, DWORD, LPCVOID lpMem) {
  if (hHeap != &processHeap || !lpMem) return static_cast<SIZE_T>(-1);
  return BlockSize(BlockOf(lpMem));
}

}  // extern "C"
