#include "duplex_settings.h"

#include "feature_record_support.h"
#include "kx/hresult_error.h"

namespace kx {
namespace {

constexpr std::u16string_view kJobFeature = u"JobDuplexAllDocumentsContiguously";
constexpr std::u16string_view kDocumentFeature = u"DocumentDuplex";
constexpr std::initializer_list<std::u16string_view> kOptions = {
    u"OneSided", u"TwoSidedShortEdge", u"TwoSidedShortEdge", u"TwoSidedLongEdge",
    u"TwoSidedLongEdge"};
constexpr int kRowModes[] = {0, 1, 2, 1, 2};
constexpr std::initializer_list<std::u16string_view> kModes = {u"", u"Automatic", u"Manual"};

// Matches the option and its DuplexMode against the table, row by row.
void ReadDuplexOption(const PrintTicketDocument& ticket, std::u16string_view option,
                      DuplexSettings* record) {
  for (int row = 0; row < static_cast<int>(kOptions.size()); ++row) {
    if (NameAt(kOptions, row) != option) continue;
    if (row == kOneSided) {
      record->duplex = kOneSided;
      return;
    }
    // The first row of an edge stands for it until its DuplexMode says otherwise.
    const bool firstOfEdge = NameAt(kOptions, row - 1) != option;
    if (firstOfEdge) {
      record->duplex = row;
      record->mode = 0;
    }
    std::u16string mode;
    if (FAILED(ticket.GetScoredPropertyValue(kJobFeature, u"DuplexMode", &mode))) return;
    if (mode == NameAt(kModes, kRowModes[row])) {
      record->duplex = row;
      record->mode = kRowModes[row];
      return;
    }
  }
}

HRESULT ReadDuplexData(const PrintTicketDocument& ticket, DuplexSettings* record) {
  HRESULT hr = PrivatePropertyExists(ticket, u"JobDuplexData");
  if (IsAbsent(hr)) {
    record->firstPaper = 0;
    return S_OK;
  }
  if (FAILED(hr)) return hr;
  std::u16string text;
  hr = ReadPrivateValue(ticket, u"TraySeparationMode", &text);
  if (IsReadFailure(hr)) return hr;
  record->firstPaper = SUCCEEDED(hr) && text == u"DuplexPrintFirstPaper";
  hr = ReadPrivateValue(ticket, u"DuplexModeSubData", &text);
  if (IsReadFailure(hr)) return hr;
  if (IsAbsent(hr)) {
    record->subMode = 0;
  } else if (const int index = IndexOfName(kModes, text); index > 0) {
    record->subMode = index;
  }
  return S_OK;
}

}  // namespace

HRESULT ReadDuplex(const PrintTicketDocument& ticket, DuplexSettings* record) {
  if (!record) return E_POINTER;
  return HResultBoundary([&] {
    std::u16string option;
    bool privateName = false;
    const HRESULT hr =
        ticket.GetFeatureOption(ticket.KeywordsPrefix(), kJobFeature, &option, &privateName);
    if (IsReadFailure(hr)) return hr;
    if (IsAbsent(hr)) {
      record->source = -1;
    } else {
      record->source = 0;
      ReadDuplexOption(ticket, option, record);
    }
    return ReadDuplexData(ticket, record);
  });
}

HRESULT DeleteDuplex(const PrintTicketDocument& ticket) {
  for (std::u16string_view feature : {kJobFeature, kDocumentFeature}) {
    const HRESULT hr = ticket.DeleteFeature(feature);  // S_FALSE when it is not there
    if (FAILED(hr)) return hr;
  }
  const HRESULT hr = ticket.DeletePrivateProperty(u"JobDuplexData");
  return FAILED(hr) ? hr : S_OK;
}

HRESULT WriteDuplex(const PrintTicketDocument& ticket, const DuplexSettings& record) {
  if (record.source < -1 || record.source > 1 || record.duplex < 0 || record.duplex > 4 ||
      record.mode < 0 || record.mode > 2 || record.subMode < 0 || record.subMode > 2)
    return E_INVALIDARG;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMNode> root;
    HRESULT hr = SelectRootForWriting(ticket, &root);
    if (FAILED(hr)) return hr;
    hr = DeleteDuplex(ticket);
    if (FAILED(hr)) return hr;

    if (record.source != -1) {
      PrintTicketDocument::Element feature, option, mode;
      hr = ticket.SetFeatureOption(false, kJobFeature, false, NameAt(kOptions, record.duplex),
                                   &feature, &option);
      if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), feature.Get());
      // The mode written is the row's own.
      if (SUCCEEDED(hr) && record.duplex != kOneSided && record.mode != 0) {
        hr = ticket.CreateStringScoredProperty(ticket.KeywordsPrefix(), u"DuplexMode",
                                               NameAt(kModes, kRowModes[record.duplex]), &mode);
        if (SUCCEEDED(hr)) hr = AppendChild(option.Get(), mode.Get());
      }
      if (FAILED(hr)) return hr;
    }

    const std::u16string& prefix = ticket.PrivatePrefix();
    PrintTicketDocument::Element data, separation, subMode;
    hr = ticket.CreateProperty(prefix, u"JobDuplexData", &data);
    if (SUCCEEDED(hr))
      hr = ticket.CreateValueProperty(
          prefix, u"TraySeparationMode", u"string",
          record.firstPaper ? u"DuplexPrintFirstPaper" : u"DuplexPrintFirstPage", &separation);
    if (SUCCEEDED(hr)) hr = AppendChild(data.Get(), separation.Get());
    if (SUCCEEDED(hr) && record.subMode != 0) {
      hr = ticket.CreateValueProperty(prefix, u"DuplexModeSubData", u"string",
                                      NameAt(kModes, record.subMode), &subMode);
      if (SUCCEEDED(hr)) hr = AppendChild(data.Get(), subMode.Get());
    }
    if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), data.Get());
    return hr;
  });
}

}  // namespace kx
