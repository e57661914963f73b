// Validation of a ticket against the device description (the rules are listed in prntvpt.h).
#pragma once

#include "device_description.h"
#include "prntvpt.h"

namespace kx::pt {

// Returns true when a setting was dropped, replaced or brought into range.
bool Validate(Document& ticket, const DeviceDescription& device, EPrintTicketScope scope);

}  // namespace kx::pt
