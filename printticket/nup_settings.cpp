#include "nup_settings.h"

#include "feature_record_support.h"
#include "kx/hresult_error.h"

namespace kx {
namespace {

constexpr std::u16string_view kJobFeature = u"JobNUpAllDocumentsContiguously";
constexpr std::initializer_list<std::u16string_view> kDirections = {u"RightBottom", u"BottomRight",
                                                                    u"LeftBottom", u"BottomLeft"};
constexpr std::initializer_list<std::u16string_view> kBorders = {u"None", u"SolidLine",
                                                                 u"BreakLine"};

HRESULT AppendSubFeature(const PrintTicketDocument& ticket, IXMLDOMNode* feature,
                         const std::u16string& prefix, std::u16string_view name,
                         std::u16string_view option) {
  PrintTicketDocument::Element subFeature, subOption;
  HRESULT hr = ticket.CreateFeature(prefix, name, &subFeature);
  if (SUCCEEDED(hr)) hr = ticket.CreateOption(prefix, option, &subOption);
  if (SUCCEEDED(hr)) hr = AppendChild(subFeature.Get(), subOption.Get());
  if (SUCCEEDED(hr)) hr = AppendChild(feature, subFeature.Get());
  return hr;
}

}  // namespace

// An application's N-up ticket carries PagesPerSheet and PresentationDirection but never the
// driver's BorderLine: the request is what counts, so only an absent feature or page count
// makes the record "no N-up".
HRESULT ReadNUp(const PrintTicketDocument& ticket, NUpSettings* record) {
  if (!record) return E_POINTER;
  return HResultBoundary([&] {
    const std::u16string& keywords = ticket.KeywordsPrefix();
    bool requested = false;
    HRESULT hr = ticket.FeatureExists(kJobFeature);
    if (SUCCEEDED(hr)) {
      int pages = 0;
      hr = ticket.GetScoredPropertyInt(kJobFeature, u"PagesPerSheet", &pages);
      if (IsReadFailure(hr)) return hr;
      requested = SUCCEEDED(hr);
      if (requested) record->pagesPerSheet = pages > 0 ? pages : 1;
      std::u16string direction;
      hr = ticket.GetSubFeatureOption(keywords, kJobFeature, keywords, u"PresentationDirection",
                                      &direction, nullptr);
      if (IsReadFailure(hr)) return hr;
      if (const int index = IndexOfName(kDirections, direction); SUCCEEDED(hr) && index >= 0)
        record->direction = index;
    } else if (IsReadFailure(hr)) {
      return hr;
    }

    std::u16string border;
    hr = GetPrivateSubFeatureOption(ticket, kJobFeature, u"BorderLine", &border);
    if (IsReadFailure(hr)) return hr;
    if (const int index = IndexOfName(kBorders, border); SUCCEEDED(hr) && index >= 0)
      record->border = index;

    record->feature = requested ? 0 : -1;
    return S_OK;
  });
}

HRESULT DeleteNUp(const PrintTicketDocument& ticket) {
  for (std::u16string_view feature : {kJobFeature, std::u16string_view(u"DocumentNUp")}) {
    const HRESULT hr = ticket.DeleteFeature(feature);  // S_FALSE when it is not there
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT WriteNUp(const PrintTicketDocument& ticket, const NUpSettings& record) {
  const std::u16string_view direction = NameAt(kDirections, record.direction);
  const std::u16string_view border = NameAt(kBorders, record.border);
  if (record.pagesPerSheet > 0 &&
      (record.feature < 0 || record.feature > 1 || direction.empty() || border.empty()))
    return E_INVALIDARG;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMNode> root;
    HRESULT hr = SelectRootForWriting(ticket, &root);
    if (FAILED(hr)) return hr;
    hr = DeleteNUp(ticket);
    if (FAILED(hr) || record.pagesPerSheet <= 0) return hr;

    const std::u16string& keywords = ticket.KeywordsPrefix();
    PrintTicketDocument::Element feature, option, pages;
    hr = ticket.CreateFeature(keywords, kJobFeature, &feature);
    if (SUCCEEDED(hr)) hr = ticket.CreateOption(u"", u"", &option);
    if (SUCCEEDED(hr))
      hr = ticket.CreateIntegerScoredProperty(keywords, u"PagesPerSheet", record.pagesPerSheet,
                                              &pages);
    if (SUCCEEDED(hr)) hr = AppendChild(option.Get(), pages.Get());
    if (SUCCEEDED(hr)) hr = AppendChild(feature.Get(), option.Get());
    if (SUCCEEDED(hr))
      hr = AppendSubFeature(ticket, feature.Get(), keywords, u"PresentationDirection", direction);
    if (SUCCEEDED(hr))
      hr = AppendSubFeature(ticket, feature.Get(), ticket.PrivatePrefix(), u"BorderLine", border);
    if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), feature.Get());
    return hr;
  });
}

}  // namespace kx
