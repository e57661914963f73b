#include "relationships.h"

#include <algorithm>

#include "kx/xml_escape.h"
#include "markup_reader.h"
#include "part_name.h"
#include "xps_schema.h"

namespace kx::xps {

std::vector<Relationship> ParseRelationships(std::string_view bytes, std::string_view source,
                                             const std::string& where) {
  std::vector<Relationship> relationships;
  MarkupReader reader(std::string(bytes), where);
  if (!reader.NextElement() || reader.LocalName() != "Relationships" ||
      reader.NamespaceUri() != kRelationshipsNamespace)
    reader.Fail("not a relationships part");
  while (reader.NextElement()) {
    if (reader.LocalName() != "Relationship") continue;
    Relationship relationship;
    relationship.id = reader.Attribute("Id").value_or("");
    relationship.type = reader.Attribute("Type").value_or("");
    const auto target = reader.Attribute("Target");
    if (!target || relationship.type.empty()) reader.Fail("relationship without Target or Type");
    relationship.external = reader.Attribute("TargetMode").value_or("") == "External";
    if (relationship.external) {
      relationship.target = *target;
    } else {
      const auto resolved = ResolvePartReference(source == "/" ? "/x" : source, *target);
      if (!resolved)
        reader.Fail("relationship target \"" + *target + "\" lies outside the package");
      relationship.target = *resolved;
    }
    relationships.push_back(std::move(relationship));
  }
  return relationships;
}

std::string RelationshipsWriter::StartMarkup() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Relationships xmlns=\"" +
         std::string(kRelationshipsNamespace) + "\">";
}

void RelationshipsWriter::Add(std::string_view type, std::string_view target, bool external,
                              std::string_view id) {
  std::string chosen(id);
  // Ids must be unique in the part; a kept id that collides gets a fresh number.
  while (chosen.empty() || std::find(ids_.begin(), ids_.end(), chosen) != ids_.end())
    chosen = "R" + std::to_string(count_ + ids_.size());
  ids_.push_back(chosen);
  ++count_;
  const std::string written =
      external ? std::string(target) : RelativeReference(source_ == "/" ? "/x" : source_, target);
  markup_ += "<Relationship Id=\"" + XmlEscaped(chosen) + "\" Type=\"" + XmlEscaped(type) +
             "\" Target=\"" + XmlEscaped(written) + "\"" +
             (external ? " TargetMode=\"External\"" : "") + "/>";
}

}  // namespace kx::xps
