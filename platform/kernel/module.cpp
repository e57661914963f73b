// Modules over the dynamic loader. An HMODULE is the shared object's load address, which is
// what its DllMain receives; the loader's own handle is looked up again from it when needed.
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "kx/utf16.h"
#include "module_name.h"
#include "winbase.h"

namespace {

HMODULE LoadAddressOf(void* handle) {
  link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map) return nullptr;
  Dl_info info{};
  if (!dladdr(map->l_ld, &info)) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

// The file the module at hModule was loaded from, as the loader knows it.
const char* LoadedFileName(HMODULE hModule) {
  Dl_info info{};
  if (!hModule || !dladdr(hModule, &info) || info.dli_fbase != hModule) return nullptr;
  return info.dli_fname;
}

// A new loader reference to a module that is already loaded; null if it is not.
void* ReferenceLoaded(HMODULE hModule) {
  const char* file = LoadedFileName(hModule);
  return file ? dlopen(file, RTLD_NOW | RTLD_NOLOAD) : nullptr;
}

std::string ExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string AbsolutePath(const char* file) {
  char resolved[PATH_MAX];
  return realpath(file, resolved) ? std::string(resolved) : std::string(file);
}

}  // namespace

extern "C" {

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) {
  if (!lpLibFileName || !*lpLibFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::string path = kx::SharedObjectPath(lpLibFileName);
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  HMODULE module = LoadAddressOf(handle);
  if (!module) {
    dlclose(handle);
    SetLastError(ERROR_MOD_NOT_FOUND);
  }
  return module;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  void* handle = ReferenceLoaded(hModule);
  if (!handle) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  void* symbol = lpProcName ? dlsym(handle, lpProcName) : nullptr;
  dlclose(handle);
  if (!symbol) SetLastError(ERROR_PROC_NOT_FOUND);
  return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE hLibModule) {
  void* handle = ReferenceLoaded(hLibModule);
  if (!handle) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  dlclose(handle);  // the reference taken just now
  dlclose(handle);  // the reference LoadLibraryW took
  return TRUE;
}

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
  std::string path;
  if (!hModule) {
    path = ExecutablePath();
  } else if (const char* file = LoadedFileName(hModule)) {
    path = AbsolutePath(file);
  }
  if (path.empty()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!lpFilename || nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::u16string wide = kx::Utf8ToUtf16(path);
  if (wide.size() >= nSize) {
    std::memcpy(lpFilename, wide.data(), (nSize - 1) * sizeof(WCHAR));
    lpFilename[nSize - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  std::memcpy(lpFilename, wide.data(), wide.size() * sizeof(WCHAR));
  lpFilename[wide.size()] = 0;
  return static_cast<DWORD>(wide.size());
}

}  // extern "C"
