// Completing a ticket with the driver's defaults: the default ticket's features and
// ParameterInits that the ticket lacks, within the scope, and a default ParameterInit for every
// ParameterRef of the ticket that has none.
#pragma once

#include "device_description.h"
#include "prntvpt.h"

namespace kx::pt {

void AddDefaults(Document& ticket, const DeviceDescription& device, EPrintTicketScope scope);

}  // namespace kx::pt
