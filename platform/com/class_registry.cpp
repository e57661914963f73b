#include "class_registry.h"

#include <mutex>
#include <vector>

#include "apartment.h"

namespace kx {
namespace {

struct Entry {
  CLSID clsid;
  ClassCreator create;
};

struct Registry {
  std::mutex mutex;
  std::vector<Entry> entries;
};

// Function-local so that registrations in any object file's static initialisers find it built.
Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

PlatformClassRegistration::PlatformClassRegistration(const CLSID& clsid, ClassCreator create) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  registry.entries.push_back({clsid, create});
}

ClassCreator LookupPlatformClass(const CLSID& clsid) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  for (const Entry& entry : registry.entries)
    if (IsEqualCLSID(entry.clsid, clsid)) return entry.create;
  return nullptr;
}

}  // namespace kx

extern "C" HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext,
                                    REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!kx::IsComInitialized()) return CO_E_NOTINITIALIZED;
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  // Every platform class is in-process.
  if (!(dwClsContext & (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER))) return REGDB_E_CLASSNOTREG;
  kx::ClassCreator create = kx::LookupPlatformClass(rclsid);
  if (!create) return REGDB_E_CLASSNOTREG;
  return create(riid, ppv);
}
