// Reading settings out of a validated ticket: the selected option of a feature and the integer
// of a scored property, with parameter references resolved.
#pragma once

#include <optional>

#include "ticket_model.h"

namespace kx::pt {

// The first option of a feature element, or null.
const Element* FirstOption(const Element& feature);
// The first option of the root-level feature, or null.
const Element* SelectedOption(const Document& ticket, const QName& feature);
// The first option of a sub-feature of a feature (either may be absent: null).
const Element* SelectedSubOption(const Document& ticket, const QName& feature,
                                 const QName& subFeature);
// The local name of the selected option; empty when absent or unnamed.
std::string_view SelectedOptionName(const Document& ticket, const QName& feature);
// A scored property of the option as an integer; a ParameterRef takes the ticket's ParameterInit.
std::optional<long long> ScoredInteger(const Element& option, const QName& scoredProperty,
                                       const Document& ticket);
std::optional<long long> ParameterInteger(const Document& ticket, const QName& parameter);

}  // namespace kx::pt
