#include "booklet_duplex.h"

#include <array>

#include "ticket_queries.h"

namespace kx::pt {

namespace {

constexpr std::array<std::string_view, 2> kDuplexFeatures{"JobDuplexAllDocumentsContiguously",
                                                          "DocumentDuplex"};
constexpr std::array<std::string_view, 2> kBindingFeatures{"JobBindAllDocuments",
                                                           "DocumentBinding"};

Element ShortEdgeOption() {
  return MakeElement(Kind::Option, Keyword("TwoSidedShortEdge"),
                     {MakeElement(Kind::ScoredProperty, Keyword("DuplexMode"),
                                  {MakeValue("string", "Automatic")})});
}

}  // namespace

bool AsksBookletWithoutDuplex(const Document& delta) {
  for (std::string_view duplex : kDuplexFeatures) {
    if (FindChild(delta.children, Kind::Feature, Keyword(duplex))) return false;
  }
  for (std::string_view binding : kBindingFeatures) {
    const std::string_view option = SelectedOptionName(delta, Keyword(binding));
    if (option == "Booklet" || option == "BookletReverseFlip") return true;
  }
  return false;
}

bool ForceShortEdgeDuplex(Document& merged) {
  bool changed = false;
  for (std::string_view duplex : kDuplexFeatures) {
    Element* feature = FindChild(merged.children, Kind::Feature, Keyword(duplex));
    if (!feature || SelectedOptionName(merged, Keyword(duplex)) == "TwoSidedShortEdge") continue;
    std::erase_if(feature->children,
                  [](const Element& child) { return child.kind == Kind::Option; });
    feature->children.insert(feature->children.begin(), ShortEdgeOption());
    changed = true;
  }
  return changed;
}

}  // namespace kx::pt
