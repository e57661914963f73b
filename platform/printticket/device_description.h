// The device description of the printer family, read from the driver directory: the print
// capabilities and the factory default ticket (see prntvpt.h for the directory rule).
#pragma once

#include <filesystem>
#include <memory>

#include "ticket_model.h"

namespace kx::pt {

struct DeviceDescription {
  Document capabilities;
  Document defaultTicket;
};

std::filesystem::path DriverDirectory();

// Throws HResultError (a missing file) or FormatError (a malformed document).
std::shared_ptr<const DeviceDescription> LoadDeviceDescription(
    const std::filesystem::path& driverDirectory);

}  // namespace kx::pt
