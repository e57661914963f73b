// The content types of a package ("[Content_Types].xml"): Default entries by extension and
// Override entries by part name, both compared case-insensitively.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace kx::xps {

class ContentTypes {
 public:
  // Reads the markup; throws PackageError (naming `where`) when it is malformed.
  static ContentTypes Parse(std::string_view bytes, const std::string& where);

  // The override for the part, else the default for its extension; empty when neither exists.
  std::string Lookup(std::string_view partName) const;

  // Records the type of a part being written.
  void Add(std::string_view partName, std::string_view contentType);
  // The markup: a Default for the first type seen per extension, Overrides for the rest.
  std::string Format() const;

 private:
  std::map<std::string, std::string> defaults_;       // by lower-case extension
  std::map<std::string, std::string> overrides_;      // by part name key
  std::map<std::string, std::string> overrideNames_;  // key -> the name as written
};

}  // namespace kx::xps
