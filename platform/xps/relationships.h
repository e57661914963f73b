// Relationship parts: what a part (or the package, source "/") refers to, by type.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx::xps {

struct Relationship {
  std::string id;
  std::string type;
  std::string target;  // internal: the resolved part name; external: the reference as written
  bool external = false;
};

// Reads a relationships part of `source`; internal targets are resolved against the source.
// Throws PackageError (naming `where`) on malformed markup or a target outside the package.
std::vector<Relationship> ParseRelationships(std::string_view bytes, std::string_view source,
                                             const std::string& where);

// Builds relationships markup for `source`, writing internal targets relative to it and
// numbering ids "R0", "R1"... where a relationship has none.
class RelationshipsWriter {
 public:
  explicit RelationshipsWriter(std::string source) : source_(std::move(source)) {}

  void Add(std::string_view type, std::string_view target, bool external = false,
           std::string_view id = {});
  bool Empty() const { return count_ == 0; }
  std::string Format() const { return markup_ + "</Relationships>\n"; }

 private:
  std::string source_;
  std::string markup_ = StartMarkup();
  std::vector<std::string> ids_;
  unsigned count_ = 0;

  static std::string StartMarkup();
};

}  // namespace kx::xps
