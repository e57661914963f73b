// Bringing a ParameterInit within its ParameterDef: an integer between MinValue and MaxValue
// and a multiple of Multiple, a string between MinLength and MaxLength; a missing or unreadable
// value takes the DefaultValue.
#pragma once

#include "ticket_model.h"

namespace kx::pt {

// True when the value had to change.
bool FitParameter(Element& parameterInit, const Element& parameterDef);
// A ParameterInit holding the definition's default value.
Element DefaultParameter(const Element& parameterDef);

}  // namespace kx::pt
