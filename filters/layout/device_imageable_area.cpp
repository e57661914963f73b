#include "device_imageable_area.h"

#include <string>

#include "kx/hresult_error.h"
#include "kx/utf16.h"
#include "sheet_media.h"

namespace kx {

namespace {

std::u16string KeyOf(const MediaSizeSettings& media) {
  return media.mediaName + (media.privateName ? u"|p|" : u"|k|") +
         Utf8ToUtf16(std::to_string(media.width) + "x" + std::to_string(media.height) + "|" +
                     std::to_string(media.orientation));
}

}  // namespace

HRESULT DeviceImageableArea::ReadCurrent(const MediaSizeSettings& media,
                                         ImageableAreaSettings* area) {
  if (!area) return E_POINTER;
  const std::u16string key = KeyOf(media);
  if (const auto known = cache_.find(key); known != cache_.end()) {
    *area = known->second;
    return S_OK;
  }
  const HRESULT hr = AskDevice(area);
  if (SUCCEEDED(hr)) cache_[key] = *area;
  return hr;
}

HRESULT DeviceImageableArea::AskDevice(ImageableAreaSettings* area) {
  if (!ticket_ || !area) return E_POINTER;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMDocument2> capabilities;
    HRESULT hr = manager_.GetCapabilities(written_ ? written_.Get() : ticket_, &capabilities);
    if (FAILED(hr)) return hr;
    // Fields are only taken when all six were read.
    ImageableAreaSettings read = *area;
    const PrintTicketDocument document(TicketRoot::PrintCapabilities, kPrivateKeywordsNamespace,
                                       capabilities.Get());
    hr = ReadImageableArea(document, &read);
    if (SUCCEEDED(hr)) *area = read;
    return hr;
  });
}

HRESULT DeviceImageableArea::ImageableAreaOf(const MediaSizeSettings& media,
                                             ImageableAreaSettings* area) {
  if (!ticket_ || !area) return E_POINTER;
  if (const auto known = cache_.find(KeyOf(media)); known != cache_.end()) {
    *area = known->second;
    return S_OK;
  }
  const HRESULT hr = WriteMedia(media);
  return FAILED(hr) ? hr : ReadCurrent(media, area);
}

void DeviceImageableArea::RestoreMedia(const MediaSizeSettings&) { written_.Reset(); }

HRESULT DeviceImageableArea::WriteMedia(const MediaSizeSettings& media) {
  if (!written_) {
    const HRESULT hr = manager_.CloneTicket(ticket_, &written_);
    if (FAILED(hr)) return hr;
  }
  return HResultBoundary([&] {
    const PrintTicketDocument document(TicketRoot::PrintTicket, kPrivateKeywordsNamespace,
                                       written_.Get());
    return WriteMediaSize(document, media);
  });
}

ImageableAreaSettings WholeSheet(const MediaSizeSettings& media) {
  const bool portrait = IsPortraitClass(media.orientation);
  const int width = portrait ? media.width : media.height;
  const int height = portrait ? media.height : media.width;
  return {width, height, 0, 0, width, height};
}

}  // namespace kx
