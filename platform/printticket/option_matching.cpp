#include "option_matching.h"

#include <algorithm>

namespace kx::pt {

namespace {

enum class Agreement { Same, Different, Incomparable };

Agreement Compare(const Element& ours, const Element& offered) {
  const Element* a = ours.children.empty() ? nullptr : &ours.children.front();
  const Element* b = offered.children.empty() ? nullptr : &offered.children.front();
  if (!a || !b || a->kind != b->kind) return Agreement::Incomparable;
  if (a->kind == Kind::ParameterRef) {
    return a->name == b->name ? Agreement::Same : Agreement::Different;
  }
  long long x = 0;
  long long y = 0;
  const bool same = (IsInteger(a->text, &x) && IsInteger(b->text, &y))
                        ? x == y
                        : a->qnameValue == b->qnameValue && a->text == b->text;
  return same ? Agreement::Same : Agreement::Different;
}

struct Score {
  int same = 0;
  bool contradicts = false;
};

Score ScoreAgainst(const Element& option, const Element& offered) {
  Score score;
  for (const Element& scored : option.children) {
    if (scored.kind != Kind::ScoredProperty) continue;
    const Element* other = FindChild(offered.children, Kind::ScoredProperty, scored.name);
    if (!other) continue;
    const Agreement agreement = Compare(scored, *other);
    score.same += agreement == Agreement::Same;
    score.contradicts |= agreement == Agreement::Different;
  }
  return score;
}

}  // namespace

const Element* MatchOption(const Element& option, const Element& capabilitiesFeature) {
  const Element* best = nullptr;
  int bestScore = -1;
  for (const Element& offered : capabilitiesFeature.children) {
    if (offered.kind != Kind::Option) continue;
    const Score score = ScoreAgainst(option, offered);
    const bool candidate =
        option.name.Empty() ? score.same > 0 && !score.contradicts : offered.name == option.name;
    if (candidate && score.same > bestScore) {
      best = &offered;
      bestScore = score.same;
    }
  }
  return best;
}

void CompleteOption(Element& option, const Element& offered) {
  if (option.name.Empty()) option.name = offered.name;
  option.constrained = {};
  std::erase_if(option.children, [](const Element& child) { return child.kind == Kind::Property; });
  for (const Element& scored : offered.children) {
    if (scored.kind == Kind::ScoredProperty &&
        !FindChild(option.children, Kind::ScoredProperty, scored.name)) {
      option.children.push_back(scored);
    }
  }
}

}  // namespace kx::pt
