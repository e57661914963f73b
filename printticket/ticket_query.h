// TicketQuery: an XPath location path for one Print Schema lookup, built step by step.
//
// Every element name of the path carries the document's framework prefix; the names compared
// in @name carry the prefix the caller passes (keywords or private, or none). Made on the
// stack for one lookup.
#pragma once

#include <string>
#include <string_view>

#include "winerror.h"

namespace kx {

class TicketQuery {
 public:
  // elementPrefix is the framework prefix with its colon ("psf:").
  explicit TicketQuery(std::u16string_view elementPrefix) : elementPrefix_(elementPrefix) {}

  // "//psf:Feature[@name = "psk:PageMediaSize"]" and the like.
  HRESULT AddFeature(std::u16string_view namePrefix, std::u16string_view name);
  HRESULT AddProperty(std::u16string_view namePrefix, std::u16string_view name);
  HRESULT AddScoredProperty(std::u16string_view namePrefix, std::u16string_view name);
  HRESULT AddParameterInit(std::u16string_view namePrefix, std::u16string_view name);
  // The feature's Option, or (for tickets that give the option as a value) its
  // ScoredProperty OptionName's Value: "P/psf:Option | P/psf:ScoredProperty[...]/psf:Value".
  HRESULT AddOptionOrValue(std::u16string_view keywordsPrefix);

  const std::u16string& Path() const { return path_; }

 private:
  HRESULT AddStep(std::u16string_view element, std::u16string_view namePrefix,
                  std::u16string_view name);

  std::u16string path_;
  std::u16string elementPrefix_;
};

}  // namespace kx
