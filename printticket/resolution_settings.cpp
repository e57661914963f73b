#include "resolution_settings.h"

#include "feature_record_support.h"
#include "kx/hresult_error.h"

namespace kx {
namespace {

constexpr int kResolutions[] = {1200, 600, 300, 200, 150};
constexpr std::initializer_list<std::u16string_view> kQualities = {
    u"Normal", u"High", u"Automatic", u"Draft", u"Fax", u"Photographic", u"Text"};

}  // namespace

HRESULT ReadResolution(const PrintTicketDocument& ticket, ResolutionSettings* record) {
  if (!record) return E_POINTER;
  return HResultBoundary([&] {
    bool absent = false;
    int x = 0;
    int y = 0;
    HRESULT hr = ticket.GetScoredPropertyInt(u"PageResolution", u"ResolutionX", &x);
    if (SUCCEEDED(hr)) hr = ticket.GetScoredPropertyInt(u"PageResolution", u"ResolutionY", &y);
    absent |= IsAbsent(hr);
    for (int index = 0; SUCCEEDED(hr) && index < static_cast<int>(std::size(kResolutions));
         ++index) {
      if (kResolutions[index] != x || kResolutions[index] != y) continue;
      record->resolutionX = x;
      record->resolutionY = y;
      record->resolutionIndex = index;
      if (index != 0) record->highQuality1200 = 0;
    }

    // Read after the resolution, so "On" holds at resolutions below 1200 too.
    std::u16string mode;
    hr = PrivatePropertyExists(ticket, u"PageResolutionData");
    if (SUCCEEDED(hr)) hr = ReadPrivateValue(ticket, u"HQ1200Mode", &mode);
    if (const int index = IndexOfName({u"Off", u"On"}, mode); SUCCEEDED(hr) && index >= 0)
      record->highQuality1200 = index;

    std::u16string quality;
    hr = ticket.GetFeatureOption(ticket.KeywordsPrefix(), u"PageOutputQuality", &quality, nullptr);
    if (IsReadFailure(hr)) return hr;
    absent |= IsAbsent(hr);
    if (const int index = IndexOfName(kQualities, quality); SUCCEEDED(hr) && index >= 0)
      record->quality = index;
    return absent ? S_FEATURES_ABSENT : S_OK;
  });
}

}  // namespace kx
