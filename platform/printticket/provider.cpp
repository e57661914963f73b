#include "provider.h"

#include <map>
#include <mutex>

namespace kx::pt {

namespace {

struct Registry {
  std::mutex lock;
  std::map<HPTPROVIDER, std::shared_ptr<const Provider>> open;
};

Registry& Providers() {
  static Registry registry;
  return registry;
}

}  // namespace

HPTPROVIDER OpenProvider(std::u16string printerName) {
  auto provider = std::make_shared<Provider>();
  provider->owner = std::this_thread::get_id();
  provider->printerName = std::move(printerName);
  provider->device = LoadDeviceDescription(DriverDirectory());
  auto handle = reinterpret_cast<HPTPROVIDER>(const_cast<Provider*>(provider.get()));
  Registry& registry = Providers();
  std::lock_guard guard(registry.lock);
  registry.open.emplace(handle, std::move(provider));
  return handle;
}

std::shared_ptr<const Provider> UseProvider(HPTPROVIDER handle) {
  Registry& registry = Providers();
  std::lock_guard guard(registry.lock);
  auto it = registry.open.find(handle);
  if (it == registry.open.end()) throw HResultError{E_HANDLE};
  if (it->second->owner != std::this_thread::get_id()) throw HResultError{E_INVALIDARG};
  return it->second;
}

void CloseProvider(HPTPROVIDER handle) {
  Registry& registry = Providers();
  std::lock_guard guard(registry.lock);
  if (registry.open.erase(handle) == 0) throw HResultError{E_HANDLE};
}

}  // namespace kx::pt
