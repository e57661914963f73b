#include "content_types.h"

#include "kx/xml_escape.h"
#include "markup_reader.h"
#include "part_name.h"
#include "xps_schema.h"

namespace kx::xps {

ContentTypes ContentTypes::Parse(std::string_view bytes, const std::string& where) {
  ContentTypes types;
  MarkupReader reader(std::string(bytes), where);
  if (!reader.NextElement() || reader.LocalName() != "Types" ||
      reader.NamespaceUri() != kContentTypesNamespace)
    reader.Fail("not a content types stream");
  while (reader.NextElement()) {
    const auto contentType = reader.Attribute("ContentType");
    if (reader.LocalName() == "Default") {
      const auto extension = reader.Attribute("Extension");
      if (!extension || !contentType) reader.Fail("Default without Extension or ContentType");
      types.defaults_.emplace(PartNameKey(*extension), *contentType);
    } else if (reader.LocalName() == "Override") {
      const auto partName = reader.Attribute("PartName");
      if (!partName || !contentType) reader.Fail("Override without PartName or ContentType");
      types.overrides_.emplace(PartNameKey(*partName), *contentType);
    }
  }
  return types;
}

std::string ContentTypes::Lookup(std::string_view partName) const {
  if (const auto found = overrides_.find(PartNameKey(partName)); found != overrides_.end())
    return found->second;
  const auto found = defaults_.find(PartNameKey(PartExtension(partName)));
  return found == defaults_.end() ? std::string() : found->second;
}

void ContentTypes::Add(std::string_view partName, std::string_view contentType) {
  const std::string extension = PartNameKey(PartExtension(partName));
  if (!extension.empty()) {
    const auto [entry, added] = defaults_.emplace(extension, contentType);
    if (added || entry->second == contentType) return;
  }
  const std::string key = PartNameKey(partName);
  overrides_[key] = contentType;
  overrideNames_[key] = partName;
}

std::string ContentTypes::Format() const {
  std::string markup = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Types xmlns=\"";
  (markup += kContentTypesNamespace) += "\">";
  for (const auto& [extension, type] : defaults_)
    markup += "<Default Extension=\"" + XmlEscaped(extension) + "\" ContentType=\"" +
              XmlEscaped(type) + "\"/>";
  for (const auto& [key, type] : overrides_)
    markup += "<Override PartName=\"" + XmlEscaped(overrideNames_.at(key)) + "\" ContentType=\"" +
              XmlEscaped(type) + "\"/>";
  return markup + "</Types>\n";
}

}  // namespace kx::xps
