// MarkupReader: a forward-only walk over the elements of one small markup part held in memory
// (content types, relationships, sequence, document, print ticket). libxml2's text reader;
// UTF-8 or UTF-16 by the document's own declaration or byte order mark. No network access,
// no entities expanded, no document type definitions: a part that has one is refused.
// Malformed markup throws PackageError naming the part and the line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

using xmlTextReader = struct _xmlTextReader;

namespace kx::xps {

class MarkupReader {
 public:
  // `where` names the part in messages ("input.xps: /FixedDocumentSequence.fdseq").
  MarkupReader(std::string bytes, std::string where);
  ~MarkupReader();
  MarkupReader(const MarkupReader&) = delete;
  MarkupReader& operator=(const MarkupReader&) = delete;

  // Moves to the next start element; false after the last one.
  bool NextElement();

  std::string_view LocalName() const;
  std::string_view NamespaceUri() const;
  int Depth() const;
  bool IsEmptyElement() const;
  std::optional<std::string> Attribute(const char* name) const;
  // Every attribute of the current element except `skipped`, as written: ` A="v" B="w"`.
  std::string AttributesExcept(std::string_view skipped) const;
  // The markup inside the current element, as text.
  std::string InnerMarkup();

  [[noreturn]] void Fail(const std::string& problem) const;
  const std::string& Where() const { return where_; }

 private:
  std::string bytes_;  // libxml2 reads them in place
  xmlTextReader* reader_;
  std::string where_;
  std::string firstError_;  // the first problem libxml2 reported
};

}  // namespace kx::xps
