// The behaviours of the kxtestfilter module, by class identifier.
#pragma once

#include <utility>

#include "guiddef.h"

namespace kx::test {

enum class TestFilterKind {
  kFailMidway,   // forwards two parts, then RequestShutdown(E_NOTIMPL) and fails
  kStopEarly,    // forwards two parts, then returns success without closing its output
  kCheckBag,     // fails with E_INVALIDARG unless the property bag holds what the pipeline promises
  kPassThrough,  // forwards every part unchanged
};

inline constexpr std::pair<TestFilterKind, CLSID> kTestFilterClasses[] = {
    {TestFilterKind::kFailMidway, MakeGuid("6F1E0C55-2E8B-4C41-9B7F-0D6A9C1E5A01")},
    {TestFilterKind::kStopEarly, MakeGuid("6F1E0C55-2E8B-4C41-9B7F-0D6A9C1E5A02")},
    {TestFilterKind::kCheckBag, MakeGuid("6F1E0C55-2E8B-4C41-9B7F-0D6A9C1E5A03")},
    {TestFilterKind::kPassThrough, MakeGuid("6F1E0C55-2E8B-4C41-9B7F-0D6A9C1E5A04")},
};

}  // namespace kx::test
