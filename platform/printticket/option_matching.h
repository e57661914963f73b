// Matching a ticket's option to an option the capabilities offer. A named option matches the
// offered options of the same name, the one sharing most scored property values winning; an
// unnamed option matches the offered option that shares most scored property values and
// contradicts none.
#pragma once

#include "ticket_model.h"

namespace kx::pt {

const Element* MatchOption(const Element& option, const Element& capabilitiesFeature);

// Makes a matched option complete: takes the offered name when it had none, drops Properties,
// and gains the offered scored properties it lacks. Its own scored property values stay.
void CompleteOption(Element& option, const Element& offered);

}  // namespace kx::pt
