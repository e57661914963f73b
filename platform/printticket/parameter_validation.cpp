#include "parameter_validation.h"

#include <algorithm>
#include <optional>

namespace kx::pt {

namespace {

std::string_view Definition(const Element& parameterDef, std::string_view property) {
  const Element* found = FindChild(parameterDef.children, Kind::Property,
                                   {std::string(kFrameworkNs), std::string(property)});
  return found ? ValueText(*found) : std::string_view();
}

std::optional<long long> DefinitionInteger(const Element& parameterDef, std::string_view property) {
  long long value = 0;
  if (!IsInteger(Definition(parameterDef, property), &value)) return std::nullopt;
  return value;
}

std::string DataType(const Element& parameterDef) {
  const Element* found =
      FindChild(parameterDef.children, Kind::Property, {std::string(kFrameworkNs), "DataType"});
  const Element* value = found ? FindValue(*found) : nullptr;
  if (!value) return "string";
  // Written as a QName by most documents, as plain text by some.
  return value->qnameValue.Empty() ? std::string(TrimXmlSpace(value->text))
                                   : value->qnameValue.local;
}

long long FitInteger(long long value, const Element& parameterDef) {
  const auto minimum = DefinitionInteger(parameterDef, "MinValue");
  const auto maximum = DefinitionInteger(parameterDef, "MaxValue");
  if (maximum) value = std::min(value, *maximum);
  if (minimum) value = std::max(value, *minimum);
  const auto multiple = DefinitionInteger(parameterDef, "Multiple");
  if (multiple > 0 && value > -(1LL << 60) && value < (1LL << 60)) {
    const long long step = *multiple;
    const long long down = value - ((value % step) + step) % step;
    value = value - down < step - (value - down) ? down : down + step;
    if (maximum && value > *maximum) value -= step;
    if (minimum && value < *minimum) value += step;
  }
  return value;
}

// The value the parameter should hold, or nothing when the current one is fine.
std::optional<std::string> Fitted(std::string_view text, const std::string& type,
                                  const Element& parameterDef) {
  const std::string fallback(Definition(parameterDef, "DefaultValue"));
  if (type == "integer") {
    long long value = 0;
    if (!IsInteger(text, &value)) return fallback;
    const long long fitted = FitInteger(value, parameterDef);
    if (fitted == value) return std::nullopt;
    return std::to_string(fitted);
  }
  if (type == "string") {
    const auto minimum = DefinitionInteger(parameterDef, "MinLength");
    const auto maximum = DefinitionInteger(parameterDef, "MaxLength");
    const auto length = static_cast<long long>(text.size());
    if ((minimum && length < *minimum) || (maximum && length > *maximum)) return fallback;
  }
  return std::nullopt;
}

}  // namespace

bool FitParameter(Element& parameterInit, const Element& parameterDef) {
  const std::string type = DataType(parameterDef);
  const Element* value = FindValue(parameterInit);
  std::optional<std::string> fitted =
      value ? Fitted(value->text, type, parameterDef)
            : std::optional<std::string>(Definition(parameterDef, "DefaultValue"));
  if (!fitted && value && value->valueType == SchemaType(type)) return false;
  std::string text = fitted ? std::move(*fitted) : value->text;
  parameterInit.children = {MakeValue(type, std::move(text))};
  return fitted.has_value();
}

Element DefaultParameter(const Element& parameterDef) {
  return MakeElement(
      Kind::ParameterInit, parameterDef.name,
      {MakeValue(DataType(parameterDef), std::string(Definition(parameterDef, "DefaultValue")))});
}

}  // namespace kx::pt
