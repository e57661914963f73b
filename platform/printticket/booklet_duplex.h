// The one constraint the device resolves: a booklet is printed two-sided on the short edge.
// When the delta asks for a booklet binding and says nothing about duplex, the duplex setting
// the merged ticket inherited from the base becomes TwoSidedShortEdge.
#pragma once

#include "ticket_model.h"

namespace kx::pt {

bool AsksBookletWithoutDuplex(const Document& delta);
// True when a duplex setting had to change.
bool ForceShortEdgeDuplex(Document& merged);

}  // namespace kx::pt
