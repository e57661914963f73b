// ImageableAreaSource: where the layout geometry learns the printable area of a media size in a
// given orientation. DeviceImageableArea asks the print ticket service; tests supply their own.
#pragma once

#include "media_size_settings.h"

namespace kx {

class ImageableAreaSource {
 public:
  virtual HRESULT ImageableAreaOf(const MediaSizeSettings& media, ImageableAreaSettings* area) = 0;
  // Puts the page's own media size back where the queries changed it.
  virtual void RestoreMedia(const MediaSizeSettings& media) = 0;

 protected:
  ~ImageableAreaSource() = default;
};

}  // namespace kx
