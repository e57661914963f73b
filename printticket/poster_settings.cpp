#include "poster_settings.h"

#include "feature_record_support.h"
#include "kx/hresult_error.h"

namespace kx {

HRESULT ReadPoster(const PrintTicketDocument& ticket, PosterSettings* record) {
  if (!record) return E_POINTER;
  return HResultBoundary([&] {
    int sheets = 0;
    HRESULT hr = ticket.FeatureExists(u"PagePoster");
    if (SUCCEEDED(hr)) hr = ticket.GetScoredPropertyInt(u"PagePoster", u"SheetsPerPage", &sheets);
    if (IsReadFailure(hr)) return hr;
    record->sheetsPerPage = SUCCEEDED(hr) && sheets > 0 ? sheets : 0;

    std::u16string cutOut;
    hr = GetPrivateSubFeatureOption(ticket, u"PagePoster", u"PagePrintCutOutLine", &cutOut);
    if (IsReadFailure(hr)) return hr;
    if (const int index = IndexOfName({u"Off", u"On"}, cutOut); SUCCEEDED(hr) && index >= 0)
      record->cutOutLine = index;

    hr = PrivatePropertyExists(ticket, u"PagePosterData");
    int hide = 0;
    if (SUCCEEDED(hr)) hr = ReadPrivateInt(ticket, u"HideFlag", &hide);
    if (SUCCEEDED(hr)) record->hideFlag = static_cast<std::uint8_t>(hide);
    return IsAbsent(hr) ? S_OK : hr;
  });
}

}  // namespace kx
