#include "binding_layout.h"

#include "sheet_media.h"

namespace kx {
namespace {

// Orientations numbered around the circle: Portrait 0, Landscape 1, ReversePortrait 2,
// ReverseLandscape 3 (indexed by the orientation index).
constexpr int kQuarterTurns[] = {1, 0, 3, 2};

bool FlipsOnLongEdge(int duplex) {
  return duplex == kLongEdgeAutomatic || duplex == kLongEdgeManual;
}

}  // namespace

void BindingLayout::Reset() {
  binding = BindingSettings{};
  duplex = DuplexSettings{};
  referenceSheet = MediaSizeSettings{};
  gutterDirty = true;
  referencePending = true;
  sideCounter = 0;
  bookletHalf = 0;
  currentOrientation = kPortrait;
  gutterShift_.Reset();
}

const AffineMatrix& BindingLayout::GutterShift() {
  if (gutterDirty) {
    ComputeGutterShift();
    gutterDirty = false;
  }
  return gutterShift_;
}

void BindingLayout::ComputeGutterShift() {
  gutterShift_.Reset();
  if (binding.gutterControl != 1 || binding.optionControl != 1) return;
  const float g = ToPageUnits(static_cast<int>(binding.gutter));
  const int reference = referenceSheet.orientation;
  const bool referencePortrait = IsPortraitClass(reference);

  float x = 0;
  float y = 0;
  if (IsBooklet()) {
    // The two halves of a booklet sheet move away from the fold.
    const float sign = bookletHalf == 0 ? -1.0f : 1.0f;
    (referencePortrait ? y : x) = sign * g;
    gutterShift_.Translate(x, y);
    return;
  }

  switch (binding.binding) {
    case kBindLeft:
      x = g;
      break;
    case kBindRight:
      x = -g;
      break;
    case kBindTop:
      y = g;
      break;
    case kBindBottom:
      y = -g;
      break;
    default:
      break;
  }
  const int turns =
      ((kQuarterTurns[currentOrientation & 3] - kQuarterTurns[reference & 3]) % 4 + 4) % 4;
  for (int i = 0; i < turns; ++i) {
    const float turned = -y;
    y = x;
    x = turned;
  }
  const bool backSide = IsTwoSided() && sideCounter % 2 == 1;
  if (backSide) {
    const bool sideBinding = binding.binding == kBindLeft || binding.binding == kBindRight;
    const bool bindsLongEdge = sideBinding == referencePortrait;
    if (FlipsOnLongEdge(duplex.duplex) == bindsLongEdge) {
      x = -x;
      y = -y;
    }
  }
  gutterShift_.Translate(x + 0.0f, y + 0.0f);
}

}  // namespace kx
