#include "input_bin_settings.h"

#include "feature_record_support.h"
#include "kx/hresult_error.h"

namespace kx {
namespace {

struct BinRow {
  std::u16string_view name;
  bool isPrivate;
};
constexpr BinRow kBins[kBinRows] = {
    {u"AutoSelect", false}, {u"SameTray", true}, {u"Tray1", true},   {u"Tray2", true},
    {u"Tray3", true},       {u"Tray4", true},    {u"TrayID1", true}, {u"TrayID2", true},
    {u"TrayID3", true},     {u"TrayID4", true},  {u"Manual", false}, {u"MPTray", true},
};

// The feature of each slot: its namespace and name.
struct SlotFeature {
  bool isPrivate;
  std::u16string_view name;
  int fallbackRow;
};
constexpr SlotFeature kSlots[2] = {{false, u"PageInputBin", kAutoSelectBin},
                                   {true, u"JobInput2ndBin", kSameTrayBin}};

// Sets the slot from the option read; a name in the wrong namespace falls back.
void StoreBin(InputBinSettings* record, int slot, const std::u16string& name, bool isPrivate) {
  for (int row = 0; row < kBinRows; ++row) {
    if (kBins[row].name != name) continue;
    record->SetSlot(slot, kBins[row].isPrivate == isPrivate ? row : kSlots[slot].fallbackRow);
    return;
  }
}

HRESULT ReadSlot(const PrintTicketDocument& ticket, InputBinSettings* record, int slot) {
  const SlotFeature& feature = kSlots[slot];
  std::u16string name;
  bool isPrivate = false;
  const HRESULT hr =
      ticket.GetFeatureOption(feature.isPrivate ? ticket.PrivatePrefix() : ticket.KeywordsPrefix(),
                              feature.name, &name, &isPrivate);
  if (SUCCEEDED(hr)) StoreBin(record, slot, name, isPrivate);
  return hr;
}

}  // namespace

HRESULT InputBinSettings::SetSlot(int slot, int row) {
  if (slot < 0 || slot > 1 || row < 0 || row >= kBinRows) return E_FAIL;
  binIndex[slot] = static_cast<std::uint32_t>(row);
  binName[slot] = std::u16string(kBins[row].name);
  binPrivate[slot] = kBins[row].isPrivate;
  return S_OK;
}

HRESULT ReadInputBin(const PrintTicketDocument& ticket, InputBinSettings* record) {
  if (!record) return E_POINTER;
  return HResultBoundary([&] {
    if (!IsReadFailure(ReadSlot(ticket, record, 0))) ReadSlot(ticket, record, 1);

    HRESULT hr = PrivatePropertyExists(ticket, u"PageInputBinData");
    std::u16string value;
    if (SUCCEEDED(hr)) hr = ReadPrivateValue(ticket, u"SecondBinData", &value);
    record->secondBinInvalid = SUCCEEDED(hr) && value == u"InvalidSecondBinData";
    return IsAbsent(hr) ? S_OK : hr;
  });
}

HRESULT DeleteInputBin(const PrintTicketDocument& ticket) {
  HRESULT hr = ticket.DeleteFeature(u"PageInputBin");
  if (SUCCEEDED(hr)) hr = ticket.DeletePrivateFeature(u"JobInput2ndBin");
  if (SUCCEEDED(hr)) hr = ticket.DeletePrivateProperty(u"PageInputBinData");
  return hr;
}

HRESULT WriteInputBin(const PrintTicketDocument& ticket, const InputBinSettings* record) {
  if (!record) return E_POINTER;
  if (record->binIndex[0] >= kBinRows || record->binIndex[1] >= kBinRows) return E_INVALIDARG;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMNode> root;
    HRESULT hr = SelectRootForWriting(ticket, &root);
    if (FAILED(hr)) return hr;
    hr = DeleteInputBin(ticket);
    for (int slot = 0; slot < 2; ++slot) {
      if (FAILED(hr)) return hr;
      const SlotFeature& feature = kSlots[slot];
      const BinRow& bin = kBins[record->binIndex[slot]];
      PrintTicketDocument::Element featureElement, option;
      hr =
          ticket.CreateFeature(feature.isPrivate ? ticket.PrivatePrefix() : ticket.KeywordsPrefix(),
                               feature.name, &featureElement);
      if (SUCCEEDED(hr))
        hr = ticket.CreateOption(bin.isPrivate ? ticket.PrivatePrefix() : ticket.KeywordsPrefix(),
                                 bin.name, &option);
      if (SUCCEEDED(hr)) hr = AppendChild(featureElement.Get(), option.Get());
      if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), featureElement.Get());
    }
    if (FAILED(hr) || record->secondBinInvalid != 1) return hr;
    // A valid second bin is said by the absence of the property.
    PrintTicketDocument::Element data, invalid;
    hr = ticket.CreateProperty(ticket.PrivatePrefix(), u"PageInputBinData", &data);
    if (SUCCEEDED(hr))
      hr = ticket.CreateValueProperty(ticket.PrivatePrefix(), u"SecondBinData", u"string",
                                      u"InvalidSecondBinData", &invalid);
    if (SUCCEEDED(hr)) hr = AppendChild(data.Get(), invalid.Get());
    if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), data.Get());
    return hr;
  });
}

}  // namespace kx
