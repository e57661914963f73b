// Merging a delta ticket onto a base ticket: a root-level Feature (with its options and
// sub-features), ParameterInit or Property of the delta replaces the base one of the same kind
// and name in place; the rest of the delta is appended; the rest of the base stays. Settings
// outside the scope are left out of the result.
#pragma once

#include "prntvpt.h"
#include "ticket_model.h"

namespace kx::pt {

Document Merge(Document base, Document delta, EPrintTicketScope scope);

}  // namespace kx::pt
