// The print capabilities for a validated ticket: the device's capabilities with the
// PageImageableSize of the ticket's media size and orientation. Landscape orientations get the
// transposed area; CustomMediaSize takes its size from the ticket's ParameterInits.
#pragma once

#include "device_description.h"

namespace kx::pt {

struct MediaSize {
  std::string name;  // local name of the PageMediaSize option
  long long width = 0;
  long long height = 0;
};

// The media of a validated ticket; the offered size fills in what the ticket lacks.
MediaSize TicketMediaSize(const Document& ticket, const Document& capabilities);

Document CapabilitiesForTicket(const Document& ticket, const DeviceDescription& device);

}  // namespace kx::pt
