// SheetMedia: what the layout knows of one sheet or page: media size and orientation, the
// imageable area the device reports for it, and its mirror and reverse settings. A plain value.
#pragma once

#include "media_size_settings.h"
#include "mirror_settings.h"

namespace kx {

// Ticket and capabilities lengths are microns; the layout works in 1/96 inch.
inline constexpr float kMicronsPerPageUnit = 264.58f;

inline float ToPageUnits(int microns) { return static_cast<float>(microns) / kMicronsPerPageUnit; }

inline bool IsPortraitClass(int orientation) {
  return orientation == kPortrait || orientation == kReversePortrait;
}
inline bool IsReverse(int orientation) {
  return orientation == kReverseLandscape || orientation == kReversePortrait;
}

struct SheetMedia {
  MediaSizeSettings size;
  ImageableAreaSettings area{};
  MirrorSettings mirror;

  float Width() const { return ToPageUnits(area.imageableWidth); }
  float Height() const { return ToPageUnits(area.imageableHeight); }

  bool operator==(const SheetMedia&) const = default;
};

}  // namespace kx
