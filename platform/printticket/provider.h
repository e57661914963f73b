// Provider handles: one per PTOpenProvider, owned by the opening thread (see prntvpt.h).
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "kx/hresult_error.h"

#include "device_description.h"
#include "prntvpt.h"

namespace kx::pt {

struct Provider {
  std::thread::id owner;
  std::u16string printerName;
  std::shared_ptr<const DeviceDescription> device;
};

// Throws HResultError or FormatError when the device description cannot be read.
HPTPROVIDER OpenProvider(std::u16string printerName);
// Throws HResultError: E_HANDLE for a handle that is not open, E_INVALIDARG on another thread.
std::shared_ptr<const Provider> UseProvider(HPTPROVIDER handle);
// Throws HResultError(E_HANDLE) for a handle that is not open.
void CloseProvider(HPTPROVIDER handle);

}  // namespace kx::pt
