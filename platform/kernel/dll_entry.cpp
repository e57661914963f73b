// Linked into every module: calls the module's DllMain when the shared object is loaded and
// unloaded, with its load address as the instance handle.
#include <dlfcn.h>

#include "winbase.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID lpvReserved);

namespace {

HINSTANCE ThisModule() {
  Dl_info info{};
  dladdr(reinterpret_cast<void*>(&ThisModule), &info);
  return static_cast<HINSTANCE>(info.dli_fbase);
}

__attribute__((constructor)) void ProcessAttach() {
  DllMain(ThisModule(), DLL_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void ProcessDetach() {
  DllMain(ThisModule(), DLL_PROCESS_DETACH, nullptr);
}

}  // namespace
