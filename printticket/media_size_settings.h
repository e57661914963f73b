// MediaSizeSettings and ImageableAreaSettings: the sheet, as tickets and capabilities give it.
// Lengths are microns. Readers change only what they find, so one record can be read from the
// job, document and page tickets in turn.
#pragma once

#include <cstdint>
#include <string>

#include "print_ticket_document.h"

namespace kx {

// Orientation indexes.
enum : int { kLandscape = 0, kPortrait = 1, kReverseLandscape = 2, kReversePortrait = 3 };

struct MediaSizeSettings {
  std::u16string mediaName = u"NorthAmericaLetter";
  bool privateName = false;
  int width = 215900;
  int height = 279400;
  int orientation = kPortrait;
  int customUnitType = 0;  // 0 "mm", 1 "inch"
  int transverseMode = 0;
  int thicknessType = 0;  // 0 "Regular", 1 "Thick", 2 "Envelope"
  int useFixedMargin = 0;
  int docMargins[4] = {-1, -1, -1, -1};  // left, right, top, bottom; -1 when not given
  int outMargins[4] = {-1, -1, -1, -1};
  std::int16_t customPaperTemp = 256;

  bool operator==(const MediaSizeSettings&) const = default;
};

struct ImageableAreaSettings {
  int imageableWidth;
  int imageableHeight;
  int originWidth;
  int originHeight;
  int extentWidth;
  int extentHeight;

  bool operator==(const ImageableAreaSettings&) const = default;
};

// S_OK, S_FEATURES_ABSENT when something looked for is absent, or a DOM failure.
HRESULT ReadMediaSize(const PrintTicketDocument& ticket, MediaSizeSettings* record);
HRESULT WriteMediaSize(const PrintTicketDocument& ticket, const MediaSizeSettings& record);
// From a capabilities document; kElementNotFound when an element is absent.
HRESULT ReadImageableArea(const PrintTicketDocument& capabilities, ImageableAreaSettings* record);

}  // namespace kx
