#include "ticket_queries.h"

namespace kx::pt {

namespace {

std::optional<long long> Integer(std::string_view text) {
  long long value = 0;
  if (!IsInteger(text, &value)) return std::nullopt;
  return value;
}

}  // namespace

const Element* FirstOption(const Element& feature) {
  for (const Element& child : feature.children) {
    if (child.kind == Kind::Option) return &child;
  }
  return nullptr;
}

const Element* SelectedOption(const Document& ticket, const QName& feature) {
  const Element* found = FindChild(ticket.children, Kind::Feature, feature);
  return found ? FirstOption(*found) : nullptr;
}

const Element* SelectedSubOption(const Document& ticket, const QName& feature,
                                 const QName& subFeature) {
  const Element* parent = FindChild(ticket.children, Kind::Feature, feature);
  const Element* sub = parent ? FindChild(parent->children, Kind::Feature, subFeature) : nullptr;
  return sub ? FirstOption(*sub) : nullptr;
}

std::string_view SelectedOptionName(const Document& ticket, const QName& feature) {
  const Element* option = SelectedOption(ticket, feature);
  return option ? std::string_view(option->name.local) : std::string_view();
}

std::optional<long long> ParameterInteger(const Document& ticket, const QName& parameter) {
  const Element* init = FindChild(ticket.children, Kind::ParameterInit, parameter);
  return init ? Integer(ValueText(*init)) : std::nullopt;
}

std::optional<long long> ScoredInteger(const Element& option, const QName& scoredProperty,
                                       const Document& ticket) {
  const Element* scored = FindChild(option.children, Kind::ScoredProperty, scoredProperty);
  if (!scored) return std::nullopt;
  for (const Element& child : scored->children) {
    if (child.kind == Kind::Value) return Integer(child.text);
    if (child.kind == Kind::ParameterRef) return ParameterInteger(ticket, child.name);
  }
  return std::nullopt;
}

}  // namespace kx::pt
