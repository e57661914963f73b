#include "mirror_settings.h"

#include "feature_record_support.h"
#include "kx/hresult_error.h"

namespace kx {
namespace {

constexpr std::initializer_list<std::u16string_view> kMirrors = {u"MirrorImageWidth",
                                                                 u"MirrorImageHeight", u"None"};
constexpr std::initializer_list<std::u16string_view> kOffOn = {u"Off", u"On"};

}  // namespace

HRESULT ReadMirror(const PrintTicketDocument& ticket, MirrorSettings* record) {
  if (!record) return E_POINTER;
  return HResultBoundary([&] {
    std::u16string option;
    HRESULT hr =
        ticket.GetFeatureOption(ticket.KeywordsPrefix(), u"PageMirrorImage", &option, nullptr);
    if (const int index = IndexOfName(kMirrors, option); SUCCEEDED(hr) && index >= 0)
      record->mirror = index;

    // Only an option in the private namespace says anything about reverse.
    bool isPrivate = false;
    hr = ticket.GetFeatureOption(ticket.PrivatePrefix(), u"PageReverseImage", &option, &isPrivate);
    if (const int index = IndexOfName(kOffOn, option); SUCCEEDED(hr) && isPrivate && index >= 0)
      record->reverse = index;
    return IsAbsent(hr) ? S_OK : hr;
  });
}

HRESULT WriteMirror(const PrintTicketDocument& ticket, const MirrorSettings& record) {
  const std::u16string_view mirror = NameAt(kMirrors, record.mirror);
  if (mirror.empty()) return E_INVALIDARG;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMNode> root;
    HRESULT hr = SelectRootForWriting(ticket, &root);
    if (FAILED(hr)) return hr;
    hr = ticket.DeleteFeature(u"PageMirrorImage");
    if (SUCCEEDED(hr)) hr = ticket.DeletePrivateFeature(u"PageReverseImage");
    PrintTicketDocument::Element feature, option;
    if (SUCCEEDED(hr))
      hr = ticket.SetFeatureOption(false, u"PageMirrorImage", false, mirror, &feature, &option);
    if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), feature.Get());
    if (SUCCEEDED(hr))
      hr = ticket.SetFeatureOption(true, u"PageReverseImage", true, record.reverse ? u"On" : u"Off",
                                   &feature, &option);
    if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), feature.Get());
    return hr;
  });
}

}  // namespace kx
