// A validated ticket as a DEVMODEW followed by the driver-private block (kx/driver_devmode.h).
#pragma once

#include <memory>
#include <string_view>

#include "device_description.h"
#include "wingdi.h"

namespace kx::pt {

struct DevModeDeleter {
  void operator()(DEVMODEW* devmode) const;
};
using DevModeBlock = std::unique_ptr<DEVMODEW, DevModeDeleter>;

// The block is allocated so that PTReleaseMemory frees it.
DevModeBlock ConvertToDevMode(const Document& ticket, const DeviceDescription& device,
                              std::u16string_view deviceName);
void ReleaseDevModeMemory(void* block);

}  // namespace kx::pt
