// DeviceImageableArea: the imageable area the device reports for a media size, obtained by
// writing the media size into a ticket and asking the print ticket service for the
// capabilities of that ticket. The ticket it is given is only read: media sizes are written
// into a copy of it, which RestoreMedia drops. Borrows the manager, the ticket and the cache
// for one page.
#pragma once

#include <map>
#include <string>

#include "imageable_area_source.h"
#include "kx/com_ptr.h"
#include "msxml6.h"
#include "print_ticket_manager.h"

namespace kx {

// The areas already asked for in a job, by media size and orientation: the capabilities of a
// ticket cost far more than a page's other settings.
using ImageableAreaCache = std::map<std::u16string, ImageableAreaSettings>;

class DeviceImageableArea final : public ImageableAreaSource {
 public:
  DeviceImageableArea(PrintTicketManager& manager, IXMLDOMDocument2* ticket,
                      ImageableAreaCache& cache)
      : manager_(manager), ticket_(ticket), cache_(cache) {}

  // The area for the ticket as it is; media is what the ticket says.
  HRESULT ReadCurrent(const MediaSizeSettings& media, ImageableAreaSettings* area);
  HRESULT ImageableAreaOf(const MediaSizeSettings& media, ImageableAreaSettings* area) override;
  void RestoreMedia(const MediaSizeSettings& media) override;

 private:
  HRESULT AskDevice(ImageableAreaSettings* area);
  HRESULT WriteMedia(const MediaSizeSettings& media);

  PrintTicketManager& manager_;
  IXMLDOMDocument2* ticket_;
  ImageableAreaCache& cache_;
  ComPtr<IXMLDOMDocument2> written_;  // the copy with a media size written into it
};

// The whole sheet as printable: the fallback when the device cannot say.
ImageableAreaSettings WholeSheet(const MediaSizeSettings& media);

}  // namespace kx
