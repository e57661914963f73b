// The print ticket service's own model of a Print Schema document: every name is an expanded
// name (namespace URI and local name), so documents that chose different prefixes merge and
// compare by meaning, and the writer picks the prefixes of the output alone.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kx::pt {

inline constexpr std::string_view kFrameworkNs =
    "http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework";
inline constexpr std::string_view kKeywordsNs =
    "http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords";
inline constexpr std::string_view kSchemaNs = "http://www.w3.org/2001/XMLSchema";
inline constexpr std::string_view kSchemaInstanceNs = "http://www.w3.org/2001/XMLSchema-instance";

struct QName {
  std::string ns;
  std::string local;

  bool Empty() const { return local.empty(); }
  bool operator==(const QName&) const = default;
};

inline QName Keyword(std::string_view local) {
  return {std::string(kKeywordsNs), std::string(local)};
}
inline QName SchemaType(std::string_view local) {
  return {std::string(kSchemaNs), std::string(local)};
}

enum class Kind {
  Feature,
  Option,
  Property,
  ScoredProperty,
  ParameterInit,
  ParameterDef,
  ParameterRef,
  Value
};

struct Element {
  Kind kind = Kind::Feature;
  QName name;         // empty for unnamed options and for values
  QName constrained;  // capabilities options only; may be empty
  QName valueType;    // values: the xsi:type, xsd:string when the document gave none
  std::string text;   // values of every type but xsd:QName
  QName qnameValue;   // values of type xsd:QName
  std::vector<Element> children;
};

struct Document {
  bool capabilities = false;
  int version = 1;
  // Namespace declarations of the root element in document order (prefix, URI).
  std::vector<std::pair<std::string, std::string>> rootNamespaces;
  std::vector<Element> children;
};

const Element* FindChild(const std::vector<Element>& elements, Kind kind, const QName& name);
Element* FindChild(std::vector<Element>& elements, Kind kind, const QName& name);
// The first Value child, or null.
const Element* FindValue(const Element& holder);
// The text of the first Value child (empty when there is none).
std::string_view ValueText(const Element& holder);
Element MakeElement(Kind kind, QName name, std::vector<Element> children = {});
// A Value element of the given schema type ("integer", "string").
Element MakeValue(std::string_view schemaType, std::string text);
std::string_view TrimXmlSpace(std::string_view text);
// A decimal integer between optional XML white space.
bool IsInteger(std::string_view text, long long* value);

}  // namespace kx::pt

namespace kx::pt {

// Removes, in this list and below it, every named setting that repeats an earlier one of the
// same kind and name; options and values are left alone. True when something was removed.
bool RemoveDuplicates(std::vector<Element>& elements);

}  // namespace kx::pt

namespace kx::pt {

// Keeps the elements for which keep(element) is true, in order; keep may change the element.
template <class Keep>
void KeepIf(std::vector<Element>& elements, Keep keep) {
  std::vector<Element> kept;
  kept.reserve(elements.size());
  for (Element& element : elements) {
    if (keep(element)) kept.push_back(std::move(element));
  }
  elements = std::move(kept);
}

}  // namespace kx::pt
