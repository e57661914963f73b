#include "ticket_model.h"

#include <algorithm>
#include <charconv>

namespace kx::pt {

namespace {

template <class Range>
auto* FindIn(Range& elements, Kind kind, const QName& name) {
  auto it = std::find_if(elements.begin(), elements.end(), [&](const Element& element) {
    return element.kind == kind && element.name == name;
  });
  return it == elements.end() ? nullptr : &*it;
}

}  // namespace

const Element* FindChild(const std::vector<Element>& elements, Kind kind, const QName& name) {
  return FindIn(elements, kind, name);
}

Element* FindChild(std::vector<Element>& elements, Kind kind, const QName& name) {
  return FindIn(elements, kind, name);
}

const Element* FindValue(const Element& holder) {
  for (const Element& child : holder.children) {
    if (child.kind == Kind::Value) return &child;
  }
  return nullptr;
}

std::string_view ValueText(const Element& holder) {
  const Element* value = FindValue(holder);
  return value ? std::string_view(value->text) : std::string_view();
}

Element MakeElement(Kind kind, QName name, std::vector<Element> children) {
  Element element;
  element.kind = kind;
  element.name = std::move(name);
  element.children = std::move(children);
  return element;
}

Element MakeValue(std::string_view schemaType, std::string text) {
  Element value;
  value.kind = Kind::Value;
  value.valueType = SchemaType(schemaType);
  value.text = std::move(text);
  return value;
}

std::string_view TrimXmlSpace(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool IsInteger(std::string_view text, long long* value) {
  text = TrimXmlSpace(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool RemoveDuplicates(std::vector<Element>& elements) {
  bool removed = false;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const Element& kept = elements[i];
    if (kept.kind == Kind::Option || kept.kind == Kind::Value) continue;
    const auto before = elements.size();
    std::erase_if(elements, [&, index = std::size_t{0}](const Element& other) mutable {
      return index++ > i && other.kind == kept.kind && other.name == kept.name;
    });
    removed |= elements.size() != before;
  }
  for (Element& element : elements) removed |= RemoveDuplicates(element.children);
  return removed;
}

}  // namespace kx::pt
