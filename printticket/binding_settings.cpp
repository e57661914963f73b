#include "binding_settings.h"

#include "feature_record_support.h"
#include "kx/hresult_error.h"

namespace kx {
namespace {

struct BindingRow {
  std::u16string_view name;
  bool isPrivate;
};
constexpr BindingRow kBindings[] = {
    {u"BindBottom", false}, {u"BindLeft", false}, {u"BindRight", false},
    {u"BindTop", false},    {u"Booklet", false},  {u"BookletReverseFlip", true},
};

struct BindingFeature {
  std::u16string_view name;
  std::u16string_view gutter;
  std::u16string_view divideSheets;
};
constexpr BindingFeature kFeatures[] = {
    {u"JobBindAllDocuments", u"JobBindAllDocumentsGutter", u"JobBindBookletDivideSheets"},
    {u"DocumentBinding", u"DocumentBindingGutter", u"DocumentBindBookletDivideSheets"},
};

constexpr std::initializer_list<std::u16string_view> kOffOn = {u"Off", u"On"};
constexpr std::initializer_list<std::u16string_view> kUnits = {u"microns", u"inches"};
constexpr std::initializer_list<std::u16string_view> kBookletMethods = {u"AllPagesAtOnce",
                                                                        u"DivideIntoSets"};

// The private sub-features of the binding feature, with their names and record fields.
struct SubFeature {
  std::u16string_view name;
  std::initializer_list<std::u16string_view> values;
  int BindingSettings::*field;
};
constexpr SubFeature kSubFeatures[] = {
    {u"BindingGutterControl", kOffOn, &BindingSettings::gutterControl},
    {u"BindingUnit", kUnits, &BindingSettings::unit},
    {u"BookletPrintingMethod", kBookletMethods, &BindingSettings::bookletMethod},
};

int BindingIndex(std::u16string_view name) {
  for (int row = 0; row < static_cast<int>(std::size(kBindings)); ++row)
    if (kBindings[row].name == name) return row;
  return -1;
}

// The option, its gutter and DependOnDuplex. A failure other than absence is returned.
HRESULT ReadBindingOption(const PrintTicketDocument& ticket, BindingSettings* record) {
  const BindingFeature& feature = kFeatures[0];
  std::u16string option;
  bool isPrivate = false;
  HRESULT hr = ticket.GetFeatureOption(ticket.KeywordsPrefix(), feature.name, &option, &isPrivate);
  if (FAILED(hr)) return hr;
  record->feature = 0;
  const int row = BindingIndex(option);
  if (row < 0) return S_OK;
  record->binding = row;
  int gutter = 0;
  hr = ticket.GetScoredPropertyInt(feature.name, u"BindingGutter", &gutter);
  if (FAILED(hr)) return hr;
  record->gutter = static_cast<std::uint32_t>(gutter);
  TicketQuery query = ticket.NewQuery();
  hr = query.AddFeature(ticket.KeywordsPrefix(), feature.name);
  if (SUCCEEDED(hr)) hr = query.AddScoredProperty(ticket.PrivatePrefix(), u"DependOnDuplex");
  std::u16string depend;
  if (SUCCEEDED(hr)) hr = ticket.GetValue(query.Path(), &depend);
  if (SUCCEEDED(hr)) record->dependOnDuplex = depend != u"False";
  return hr;
}

HRESULT ReadSubFeatures(const PrintTicketDocument& ticket, BindingSettings* record) {
  for (const SubFeature& sub : kSubFeatures) {
    std::u16string option;
    const HRESULT hr = GetPrivateSubFeatureOption(ticket, kFeatures[0].name, sub.name, &option);
    if (IsReadFailure(hr)) return hr;
    if (const int index = IndexOfName(sub.values, option); SUCCEEDED(hr) && index >= 0)
      record->*sub.field = index;
  }
  return S_OK;
}

HRESULT WriteSubFeatures(const PrintTicketDocument& ticket, IXMLDOMNode* feature,
                         const BindingSettings& record) {
  HRESULT hr = S_OK;
  for (const SubFeature& sub : kSubFeatures) {
    PrintTicketDocument::Element subFeature, option;
    hr = ticket.CreateFeature(ticket.PrivatePrefix(), sub.name, &subFeature);
    if (SUCCEEDED(hr))
      hr = ticket.CreateOption(ticket.PrivatePrefix(), NameAt(sub.values, record.*sub.field),
                               &option);
    if (SUCCEEDED(hr)) hr = AppendChild(subFeature.Get(), option.Get());
    if (SUCCEEDED(hr)) hr = AppendChild(feature, subFeature.Get());
    if (FAILED(hr)) return hr;
  }
  return hr;
}

bool IsSwitch(int value) { return value == 0 || value == 1; }

}  // namespace

HRESULT ReadBinding(const PrintTicketDocument& ticket, BindingSettings* record) {
  if (!record) return E_POINTER;
  return HResultBoundary([&] {
    // A failure other than absence skips the rest up to the divide sheets.
    HRESULT hr = ReadBindingOption(ticket, record);
    if (!IsReadFailure(hr)) hr = ReadSubFeatures(ticket, record);
    if (!IsReadFailure(hr)) {
      TicketQuery sheets = ticket.NewQuery();
      hr = sheets.AddParameterInit(ticket.PrivatePrefix(), u"JobBindBookletDivideSheets");
      int divideSheets = 0;
      if (SUCCEEDED(hr)) hr = ticket.GetValueInt(sheets.Path(), &divideSheets);
      if (SUCCEEDED(hr)) record->divideSheets = static_cast<std::uint32_t>(divideSheets);
    }

    TicketQuery control = ticket.NewQuery();
    hr = control.AddFeature(ticket.KeywordsPrefix(), kFeatures[0].name);
    if (SUCCEEDED(hr)) hr = control.AddProperty(ticket.PrivatePrefix(), u"BindingOptionControl");
    std::u16string value;
    if (SUCCEEDED(hr)) hr = ticket.GetValue(control.Path(), &value);
    if (const int index = IndexOfName(kOffOn, value); SUCCEEDED(hr) && index >= 0)
      record->optionControl = index;
    return IsAbsent(hr) ? S_OK : hr;
  });
}

HRESULT DeleteBinding(const PrintTicketDocument& ticket) {
  return HResultBoundary([&] {
    for (const BindingFeature& feature : kFeatures) {
      // Deleting answers S_FALSE when the feature is not there.
      HRESULT hr = ticket.DeleteFeature(feature.name);
      if (FAILED(hr)) return hr;
      hr = ticket.DeleteParameterInit(feature.gutter);
      if (FAILED(hr)) return hr;
      TicketQuery sheets = ticket.NewQuery();
      hr = sheets.AddParameterInit(ticket.PrivatePrefix(), feature.divideSheets);
      ComPtr<IXMLDOMNode> init;
      if (SUCCEEDED(hr)) hr = ticket.SelectNode(sheets.Path(), &init);
      if (hr == S_OK) hr = ticket.RemoveNode(init.Get());
      if (FAILED(hr)) return hr;
    }
    return S_OK;
  });
}

HRESULT WriteBinding(const PrintTicketDocument& ticket, const BindingSettings& record) {
  if (record.feature < -1 || record.feature > 1 || record.binding < 0 || record.binding > 5 ||
      !IsSwitch(record.unit) || !IsSwitch(record.gutterControl) ||
      !IsSwitch(record.optionControl) || !IsSwitch(record.bookletMethod))
    return E_INVALIDARG;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMNode> root;
    HRESULT hr = SelectRootForWriting(ticket, &root);
    if (FAILED(hr)) return hr;
    hr = DeleteBinding(ticket);
    if (FAILED(hr) || record.feature == -1) return hr;

    const BindingFeature& names = kFeatures[record.feature];
    const BindingRow& row = kBindings[record.binding];
    PrintTicketDocument::Element feature, option, reference, init, gutter, depend, control;
    hr = ticket.SetFeatureOption(false, names.name, row.isPrivate, row.name, &feature, &option);
    if (SUCCEEDED(hr))
      hr = ticket.CreateIntegerParameter(names.gutter, static_cast<int>(record.gutter), &reference,
                                         &init);
    if (SUCCEEDED(hr))
      hr = ticket.CreateRefScoredProperty(ticket.KeywordsPrefix(), u"BindingGutter",
                                          reference.Get(), &gutter);
    if (SUCCEEDED(hr)) hr = AppendChild(option.Get(), gutter.Get());
    if (SUCCEEDED(hr))
      hr = ticket.CreateValueScoredProperty(ticket.PrivatePrefix(), u"DependOnDuplex", u"string",
                                            record.dependOnDuplex == 1 ? u"True" : u"False",
                                            &depend);
    if (SUCCEEDED(hr)) hr = AppendChild(option.Get(), depend.Get());
    if (SUCCEEDED(hr))
      hr = ticket.CreateValueProperty(ticket.PrivatePrefix(), u"BindingOptionControl", u"string",
                                      NameAt(kOffOn, record.optionControl), &control);
    if (SUCCEEDED(hr)) hr = AppendChild(feature.Get(), control.Get());
    if (SUCCEEDED(hr)) hr = WriteSubFeatures(ticket, feature.Get(), record);
    if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), feature.Get());
    if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), init.Get());

    PrintTicketDocument::Element sheets;
    if (SUCCEEDED(hr))
      hr = ticket.CreatePrivateIntegerParameter(names.divideSheets,
                                                static_cast<int>(record.divideSheets), &sheets);
    if (SUCCEEDED(hr)) hr = AppendChild(root.Get(), sheets.Get());
    return hr;
  });
}

}  // namespace kx
