#include "media_size_settings.h"

#include "feature_record_support.h"
#include "kx/hresult_error.h"

namespace kx {
namespace {

constexpr std::initializer_list<std::u16string_view> kOrientations = {
    u"Landscape", u"Portrait", u"ReverseLandscape", u"ReversePortrait"};
constexpr std::initializer_list<std::u16string_view> kUnitTypes = {u"mm", u"inch"};
constexpr std::initializer_list<std::u16string_view> kOffOn = {u"Off", u"On"};
constexpr std::initializer_list<std::u16string_view> kThicknessTypes = {u"Regular", u"Thick",
                                                                        u"Envelope"};
constexpr std::u16string_view kCustomMediaSize = u"CustomMediaSize";

// The string members of PageMediaSizeData with their name tables, then the integers.
struct NamedField {
  std::u16string_view name;
  std::initializer_list<std::u16string_view> values;
  int MediaSizeSettings::*field;
};
constexpr NamedField kNamedFields[] = {
    {u"CustomUnitType", kUnitTypes, &MediaSizeSettings::customUnitType},
    {u"TransverseMode", kOffOn, &MediaSizeSettings::transverseMode},
    {u"ThicknessType", kThicknessTypes, &MediaSizeSettings::thicknessType},
    {u"UseFixedMargin", kOffOn, &MediaSizeSettings::useFixedMargin},
};
constexpr std::u16string_view kMarginNames[] = {
    u"DocMarginLeft", u"DocMarginRight", u"DocMarginTop", u"DocMarginBottom",
    u"OutMarginLeft", u"OutMarginRight", u"OutMarginTop", u"OutMarginBottom"};
constexpr std::u16string_view kCustomPaperTemp = u"CustomPaperTemp";

int* MarginField(MediaSizeSettings& record, int index) {
  return index < 4 ? &record.docMargins[index] : &record.outMargins[index - 4];
}

int MarginValue(const MediaSizeSettings& record, int index) {
  return index < 4 ? record.docMargins[index] : record.outMargins[index - 4];
}

// Reads the media name and both dimensions; they change together or not at all.
HRESULT ReadMediaName(const PrintTicketDocument& ticket, MediaSizeSettings* record) {
  std::u16string name;
  bool privateName = false;
  HRESULT hr =
      ticket.GetFeatureOption(ticket.KeywordsPrefix(), u"PageMediaSize", &name, &privateName);
  if (FAILED(hr)) return hr;
  int width = 0;
  int height = 0;
  if (SUCCEEDED(ticket.GetScoredPropertyInt(u"PageMediaSize", u"MediaSizeWidth", &width)) &&
      SUCCEEDED(ticket.GetScoredPropertyInt(u"PageMediaSize", u"MediaSizeHeight", &height))) {
    record->mediaName = std::move(name);
    record->privateName = privateName;
    record->width = width;
    record->height = height;
  }
  return S_OK;
}

// The 13 members of PageMediaSizeData, each looked up document-wide.
HRESULT ReadMediaSizeData(const PrintTicketDocument& ticket, MediaSizeSettings* record,
                          bool* absent) {
  for (const NamedField& field : kNamedFields) {
    std::u16string value;
    const HRESULT hr = ReadPrivateValue(ticket, field.name, &value);
    if (IsReadFailure(hr)) return hr;
    *absent |= IsAbsent(hr);
    if (const int index = IndexOfName(field.values, value); SUCCEEDED(hr) && index >= 0)
      record->*field.field = index;
  }
  for (int i = 0; i < 8; ++i) {
    const HRESULT hr = ReadPrivateInt(ticket, kMarginNames[i], MarginField(*record, i));
    if (IsReadFailure(hr)) return hr;
    *absent |= IsAbsent(hr);
  }
  int temp = 0;
  const HRESULT hr = ReadPrivateInt(ticket, kCustomPaperTemp, &temp);
  if (IsReadFailure(hr)) return hr;
  *absent |= IsAbsent(hr);
  if (SUCCEEDED(hr)) record->customPaperTemp = static_cast<std::int16_t>(temp);
  return S_OK;
}

HRESULT DeleteMediaSize(const PrintTicketDocument& ticket) {
  HRESULT hr = ticket.DeleteFeature(u"PageMediaSize");
  if (SUCCEEDED(hr)) hr = ticket.DeleteFeature(u"PageOrientation");
  if (SUCCEEDED(hr)) hr = ticket.DeletePrivateProperty(u"PageMediaSizeData");
  if (SUCCEEDED(hr)) hr = ticket.DeleteParameterInit(u"PageMediaSizeMediaSizeWidth");
  if (SUCCEEDED(hr)) hr = ticket.DeleteParameterInit(u"PageMediaSizeMediaSizeHeight");
  return hr;
}

// One dimension of the option: a plain integer, or for a custom size a reference to a
// ParameterInit that goes under the root.
HRESULT WriteDimension(const PrintTicketDocument& ticket, IXMLDOMNode* root, IXMLDOMNode* option,
                       bool custom, std::u16string_view name, int value) {
  PrintTicketDocument::Element scored;
  if (!custom) {
    const HRESULT hr =
        ticket.CreateIntegerScoredProperty(ticket.KeywordsPrefix(), name, value, &scored);
    return FAILED(hr) ? hr : AppendChild(option, scored.Get());
  }
  PrintTicketDocument::Element reference, init;
  HRESULT hr = ticket.CreateIntegerParameter(u"PageMediaSize" + std::u16string(name), value,
                                             &reference, &init);
  if (SUCCEEDED(hr))
    hr = ticket.CreateRefScoredProperty(ticket.KeywordsPrefix(), name, reference.Get(), &scored);
  if (SUCCEEDED(hr)) hr = AppendChild(option, scored.Get());
  if (SUCCEEDED(hr)) hr = AppendChild(root, init.Get());
  return hr;
}

HRESULT WriteMediaSizeData(const PrintTicketDocument& ticket, IXMLDOMNode* root,
                           const MediaSizeSettings& record) {
  const std::u16string& prefix = ticket.PrivatePrefix();
  PrintTicketDocument::Element data;
  HRESULT hr = ticket.CreateProperty(prefix, u"PageMediaSizeData", &data);
  for (const NamedField& field : kNamedFields) {
    if (FAILED(hr)) return hr;
    // A two-way switch is written as its second name only for 1.
    int index = record.*field.field;
    if (field.values.size() == 2) index = index == 1;
    const std::u16string_view text = NameAt(field.values, index);
    if (text.empty()) return E_INVALIDARG;
    PrintTicketDocument::Element property;
    hr = ticket.CreateValueProperty(prefix, field.name, u"string", text, &property);
    if (SUCCEEDED(hr)) hr = AppendChild(data.Get(), property.Get());
  }
  for (int i = 0; i < 9 && SUCCEEDED(hr); ++i) {
    const bool temp = i == 8;
    PrintTicketDocument::Element property;
    hr = ticket.CreateIntegerProperty(prefix, temp ? kCustomPaperTemp : kMarginNames[i],
                                      temp ? record.customPaperTemp : MarginValue(record, i),
                                      &property);
    if (SUCCEEDED(hr)) hr = AppendChild(data.Get(), property.Get());
  }
  return FAILED(hr) ? hr : AppendChild(root, data.Get());
}

}  // namespace

HRESULT ReadMediaSize(const PrintTicketDocument& ticket, MediaSizeSettings* record) {
  if (!record) return E_POINTER;
  return HResultBoundary([&] {
    bool absent = IsAbsent(ReadMediaName(ticket, record));

    std::u16string orientation;
    const HRESULT hr =
        ticket.GetFeatureOption(ticket.KeywordsPrefix(), u"PageOrientation", &orientation, nullptr);
    absent |= IsAbsent(hr);
    if (const int index = IndexOfName(kOrientations, orientation); SUCCEEDED(hr) && index >= 0)
      record->orientation = index;

    HRESULT result = PrivatePropertyExists(ticket, u"PageMediaSizeData");
    if (IsAbsent(result)) return S_FEATURES_ABSENT;
    if (SUCCEEDED(result)) result = ReadMediaSizeData(ticket, record, &absent);
    if (FAILED(result)) return result;
    return absent ? S_FEATURES_ABSENT : S_OK;
  });
}

HRESULT WriteMediaSize(const PrintTicketDocument& ticket, const MediaSizeSettings& record) {
  const std::u16string_view orientation = NameAt(kOrientations, record.orientation);
  if (orientation.empty() || record.mediaName.empty()) return E_INVALIDARG;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMNode> root;
    HRESULT hr = SelectRootForWriting(ticket, &root);
    if (FAILED(hr)) return hr;
    hr = DeleteMediaSize(ticket);
    if (FAILED(hr)) return hr;

    PrintTicketDocument::Element feature, option;
    hr = ticket.SetFeatureOption(false, u"PageMediaSize", record.privateName, record.mediaName,
                                 &feature, &option);
    if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), feature.Get());
    const bool custom = record.mediaName == kCustomMediaSize;
    if (SUCCEEDED(hr))
      hr =
          WriteDimension(ticket, root.Get(), option.Get(), custom, u"MediaSizeWidth", record.width);
    if (SUCCEEDED(hr))
      hr = WriteDimension(ticket, root.Get(), option.Get(), custom, u"MediaSizeHeight",
                          record.height);
    if (SUCCEEDED(hr))
      hr =
          ticket.SetFeatureOption(false, u"PageOrientation", false, orientation, &feature, &option);
    if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), feature.Get());
    if (SUCCEEDED(hr)) hr = WriteMediaSizeData(ticket, root.Get(), record);
    return hr;
  });
}

HRESULT ReadImageableArea(const PrintTicketDocument& capabilities, ImageableAreaSettings* record) {
  if (!record) return E_POINTER;
  return HResultBoundary([&] {
    const std::u16string& keywords = capabilities.KeywordsPrefix();
    TicketQuery size = capabilities.NewQuery();
    HRESULT hr = size.AddProperty(keywords, u"PageImageableSize");
    if (SUCCEEDED(hr)) hr = capabilities.NodeExists(size.Path());
    if (FAILED(hr)) return hr;

    struct Member {
      bool inArea;
      std::u16string_view name;
      int ImageableAreaSettings::*field;
    };
    constexpr Member kMembers[] = {
        {false, u"ImageableSizeWidth", &ImageableAreaSettings::imageableWidth},
        {false, u"ImageableSizeHeight", &ImageableAreaSettings::imageableHeight},
        {true, u"OriginWidth", &ImageableAreaSettings::originWidth},
        {true, u"OriginHeight", &ImageableAreaSettings::originHeight},
        {true, u"ExtentWidth", &ImageableAreaSettings::extentWidth},
        {true, u"ExtentHeight", &ImageableAreaSettings::extentHeight},
    };
    for (const Member& member : kMembers) {
      TicketQuery query = size;
      if (member.inArea) hr = query.AddProperty(keywords, u"ImageableArea");
      if (SUCCEEDED(hr)) hr = query.AddProperty(keywords, member.name);
      if (SUCCEEDED(hr)) hr = capabilities.GetValueInt(query.Path(), &(record->*member.field));
      if (FAILED(hr)) return hr;
    }
    return S_OK;
  });
}

}  // namespace kx
