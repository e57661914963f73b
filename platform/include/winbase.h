// Kernel services: process heap, last error, interlocked operations, tick count, modules.
#pragma once

#include "winerror.h"

inline constexpr DWORD DLL_PROCESS_DETACH = 0;
inline constexpr DWORD DLL_PROCESS_ATTACH = 1;
inline constexpr DWORD DLL_THREAD_ATTACH = 2;
inline constexpr DWORD DLL_THREAD_DETACH = 3;

inline constexpr DWORD HEAP_ZERO_MEMORY = 0x00000008;
inline constexpr DWORD MAX_PATH = 260;

extern "C" {
DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

// Milliseconds since an arbitrary start, wrapping after 49.7 days.
DWORD GetTickCount();

HANDLE GetProcessHeap();
LPVOID HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes);
LPVOID HeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes);
BOOL HeapFree(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem);
SIZE_T HeapSize(HANDLE hHeap, DWORD dwFlags, LPCVOID lpMem);

LONG InterlockedIncrement(LONG volatile* addend);
LONG InterlockedDecrement(LONG volatile* addend);
LONG InterlockedExchange(LONG volatile* target, LONG value);
LONG InterlockedCompareExchange(LONG volatile* destination, LONG exchange, LONG comparand);
LONG InterlockedExchangeAdd(LONG volatile* addend, LONG value);

// Modules are shared objects. LoadLibraryW maps a Windows file name to the shared object of the
// driver package (see platform/kernel/module_name.h); the handle is the object's load address,
// the same value its DllMain receives.
HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
BOOL FreeLibrary(HMODULE hLibModule);
// A null module is the running program. Returns the length copied without the terminator;
// a buffer too small gets a cut, terminated path, the length nSize and ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
}
