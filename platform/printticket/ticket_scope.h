// Scope of a root-level setting, from the prefix of its local name: "Job...", "Document..." or
// "Page...". A name with none of the three counts as a job setting.
#pragma once

#include <vector>

#include "prntvpt.h"
#include "ticket_model.h"

namespace kx::pt {

bool InScope(const QName& name, EPrintTicketScope scope);
// Removes the root-level settings outside the scope.
void KeepScope(std::vector<Element>& rootElements, EPrintTicketScope scope);

}  // namespace kx::pt
