#include "devmode_conversion.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>

#include "capabilities_for_ticket.h"
#include "driver_keywords.h"
#include "kx/driver_devmode.h"
#include "kx/utf16.h"
#include "ticket_queries.h"

namespace kx::pt {

namespace {

struct PaperCode {
  std::string_view name;
  short code;
};
constexpr std::array kPaperCodes{
    PaperCode{"NorthAmericaLetter", DMPAPER_LETTER},
    PaperCode{"NorthAmericaTabloid", DMPAPER_TABLOID},
    PaperCode{"NorthAmericaLegal", DMPAPER_LEGAL},
    PaperCode{"NorthAmericaStatement", DMPAPER_STATEMENT},
    PaperCode{"NorthAmericaExecutive", DMPAPER_EXECUTIVE},
    PaperCode{"ISOA3", DMPAPER_A3},
    PaperCode{"ISOA4", DMPAPER_A4},
    PaperCode{"ISOA5", DMPAPER_A5},
    PaperCode{"JISB4", DMPAPER_B4},
    PaperCode{"JISB5", DMPAPER_B5},
    PaperCode{"OtherMetricFolio", DMPAPER_FOLIO},
    PaperCode{"NorthAmerica11x17", DMPAPER_11X17},
    PaperCode{"NorthAmericaNumber10Envelope", DMPAPER_ENV_10},
    PaperCode{"ISODLEnvelope", DMPAPER_ENV_DL},
    PaperCode{"ISOC5Envelope", DMPAPER_ENV_C5},
    PaperCode{"ISOB5Envelope", DMPAPER_ENV_B5},
    PaperCode{"NorthAmericaMonarchEnvelope", DMPAPER_ENV_MONARCH},
    PaperCode{"ISOB4", DMPAPER_ISO_B4},
    PaperCode{"JapanHagakiPostcard", DMPAPER_JAPANESE_POSTCARD},
    PaperCode{"OtherMetricA4Plus", DMPAPER_A4_PLUS},
    PaperCode{"ISOA6", DMPAPER_A6},
};

constexpr std::array<std::string_view, 12> kBins{"AutoSelect", "SameTray", "Tray1",   "Tray2",
                                                 "Tray3",      "Tray4",    "TrayID1", "TrayID2",
                                                 "TrayID3",    "TrayID4",  "Manual",  "MPTray"};
constexpr std::array<std::string_view, 4> kDirections{"RightBottom", "BottomRight", "LeftBottom",
                                                      "BottomLeft"};
constexpr std::array<std::string_view, 3> kBorders{"None", "SolidLine", "BreakLine"};
constexpr std::array<std::string_view, 6> kBindings{"BindBottom", "BindLeft", "BindRight",
                                                    "BindTop",    "Booklet",  "BookletReverseFlip"};
constexpr std::array<std::string_view, 3> kMirrors{"MirrorImageWidth", "MirrorImageHeight", "None"};
constexpr std::array<std::string_view, 7> kQualities{"Normal", "High",         "Automatic", "Draft",
                                                     "Fax",    "Photographic", "Text"};
constexpr std::array<std::string_view, 7> kScalings{"None",
                                                    "FitToPaper",
                                                    "CustomSquare",
                                                    "FitApplicationBleedSizeToPageImageableSize",
                                                    "FitApplicationContentSizeToPageImageableSize",
                                                    "FitApplicationMediaSizeToPageImageableSize",
                                                    "FitApplicationMediaSizeToPageMediaSize"};
constexpr std::array<std::string_view, 2> kSwitch{"Off", "On"};

template <std::size_t N>
DWORD IndexOf(const std::array<std::string_view, N>& names, std::string_view name, DWORD absent) {
  auto it = std::find(names.begin(), names.end(), name);
  return it == names.end() ? absent : static_cast<DWORD>(it - names.begin());
}

short ToShort(long long value) { return static_cast<short>(std::clamp(value, -32768LL, 32767LL)); }

void CopyName(WCHAR (&target)[32], std::u16string_view name) {
  const std::size_t length = std::min<std::size_t>(name.size(), 31);
  std::copy_n(name.begin(), length, target);
  target[length] = 0;
}

// Duplex: the job setting, else the document setting.
const Element* DuplexOption(const Document& ticket) {
  const Element* option = SelectedOption(ticket, Keyword("JobDuplexAllDocumentsContiguously"));
  return option ? option : SelectedOption(ticket, Keyword("DocumentDuplex"));
}

class DevModeWriter {
 public:
  DevModeWriter(const Document& ticket, const DeviceDescription& device, DEVMODEW& publicPart,
                DriverDevMode& privatePart)
      : ticket_(ticket), device_(device), dm_(publicPart), extra_(privatePart) {}

  void Write() {
    Media();
    Orientation();
    Copies();
    Duplex();
    Collate();
    Source();
    Resolution();
    Layout();
    Overlays();
    dm_.dmNup = DMNUP_ONEUP;  // the driver's filters compose N-up sheets themselves
    dm_.dmFields |= DM_NUP;
  }

 private:
  std::string_view Option(std::string_view feature) const {
    return SelectedOptionName(ticket_, Keyword(feature));
  }
  std::string_view DriverOption(std::string_view feature) const {
    return SelectedOptionName(ticket_, DriverKeyword(feature));
  }

  void Media() {
    const MediaSize media = TicketMediaSize(ticket_, device_.capabilities);
    extra_.mediaWidth = static_cast<DWORD>(std::min(media.width, 0xFFFFFFFFLL));
    extra_.mediaHeight = static_cast<DWORD>(std::min(media.height, 0xFFFFFFFFLL));
    dm_.dmPaperWidth = ToShort((media.width + 50) / 100);
    dm_.dmPaperLength = ToShort((media.height + 50) / 100);
    auto code = std::find_if(kPaperCodes.begin(), kPaperCodes.end(),
                             [&](const PaperCode& paper) { return paper.name == media.name; });
    if (code != kPaperCodes.end()) {
      dm_.dmPaperSize = code->code;
      dm_.dmFields |= DM_PAPERSIZE;
    } else {
      dm_.dmPaperSize = 0;
      dm_.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
    }
    CopyName(dm_.dmFormName, Utf8ToUtf16(media.name));
    dm_.dmFields |= DM_FORMNAME;
  }

  void Orientation() {
    const std::string_view orientation = Option("PageOrientation");
    const bool landscape = orientation == "Landscape" || orientation == "ReverseLandscape";
    dm_.dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    dm_.dmFields |= DM_ORIENTATION;
  }

  void Copies() {
    const auto copies = ParameterInteger(ticket_, Keyword("JobCopiesAllDocuments"));
    dm_.dmCopies = ToShort(std::max(copies.value_or(1), 1LL));
    dm_.dmFields |= DM_COPIES;
  }

  void Duplex() {
    const Element* option = DuplexOption(ticket_);
    if (!option) return;
    const std::string_view name = option->name.local;
    dm_.dmDuplex = name == "TwoSidedShortEdge"  ? DMDUP_HORIZONTAL
                   : name == "TwoSidedLongEdge" ? DMDUP_VERTICAL
                                                : DMDUP_SIMPLEX;
    dm_.dmFields |= DM_DUPLEX;
    const Element* mode = FindChild(option->children, Kind::ScoredProperty, Keyword("DuplexMode"));
    if (dm_.dmDuplex != DMDUP_SIMPLEX) {
      extra_.duplexMode = mode && ValueText(*mode) == "Manual" ? 2 : 1;
    }
  }

  void Collate() {
    std::string_view collate = Option("JobCollateAllDocuments");
    if (collate.empty()) collate = Option("DocumentCollate");
    if (collate.empty()) return;
    dm_.dmCollate = collate == "Collated" ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    dm_.dmFields |= DM_COLLATE;
  }

  void Source() {
    extra_.inputBin = IndexOf(kBins, Option("PageInputBin"), 0);
    extra_.secondBin = IndexOf(kBins, DriverOption("JobInput2ndBin"), 1);
    dm_.dmDefaultSource = extra_.inputBin == 0    ? DMBIN_AUTO
                          : extra_.inputBin == 10 ? DMBIN_MANUAL
                                                  : ToShort(DMBIN_USER + extra_.inputBin);
    dm_.dmFields |= DM_DEFAULTSOURCE;
  }

  void Resolution() {
    if (const Element* option = SelectedOption(ticket_, Keyword("PageResolution"))) {
      const auto x = ScoredInteger(*option, Keyword("ResolutionX"), ticket_);
      const auto y = ScoredInteger(*option, Keyword("ResolutionY"), ticket_);
      if (x && y) {
        dm_.dmPrintQuality = ToShort(*x);
        dm_.dmYResolution = ToShort(*y);
        dm_.dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
      }
    }
    extra_.outputQuality = IndexOf(kQualities, Option("PageOutputQuality"), 0);
  }

  void Layout() {
    const QName nup = Keyword("JobNUpAllDocumentsContiguously");
    if (const Element* option = SelectedOption(ticket_, nup)) {
      extra_.pagesPerSheet = static_cast<DWORD>(std::clamp(
          ScoredInteger(*option, Keyword("PagesPerSheet"), ticket_).value_or(1), 1LL, 25LL));
    }
    if (const Element* direction =
            SelectedSubOption(ticket_, nup, Keyword("PresentationDirection"))) {
      extra_.nupDirection = IndexOf(kDirections, direction->name.local, 0);
    }
    if (const Element* border = SelectedSubOption(ticket_, nup, DriverKeyword("BorderLine"))) {
      extra_.nupBorder = IndexOf(kBorders, border->name.local, 0);
    }
    if (const Element* poster = SelectedOption(ticket_, Keyword("PagePoster"))) {
      extra_.posterSheets = static_cast<DWORD>(std::clamp(
          ScoredInteger(*poster, Keyword("SheetsPerPage"), ticket_).value_or(0), 0LL, 25LL));
    }
    if (const Element* cutOut = SelectedSubOption(ticket_, Keyword("PagePoster"),
                                                  DriverKeyword("PagePrintCutOutLine"))) {
      extra_.posterCutOut = IndexOf(kSwitch, cutOut->name.local, 0);
    }
    Binding();
    extra_.mirror = IndexOf(kMirrors, Option("PageMirrorImage"), 2);
    extra_.reverse = IndexOf(kSwitch, DriverOption("PageReverseImage"), 0);
  }

  void Binding() {
    extra_.binding = kDriverDevModeNone;
    const Element* option = SelectedOption(ticket_, Keyword("JobBindAllDocuments"));
    if (!option) return;
    extra_.binding = IndexOf(kBindings, option->name.local, kDriverDevModeNone);
    const auto gutter = ScoredInteger(*option, Keyword("BindingGutter"), ticket_);
    extra_.bindingGutter = static_cast<DWORD>(std::clamp(gutter.value_or(0), 0LL, 0xFFFFFFFFLL));
  }

  void Overlays() {
    extra_.watermark = IndexOf(kSwitch, Option("PageWatermark"), 0);
    extra_.headerFooter = IndexOf(kSwitch, DriverOption("PageHeaderFooter"), 0);
    extra_.scaling = IndexOf(kScalings, Option("PageScaling"), 0);
    extra_.scale = 100;
    if (extra_.scaling == 2) {
      const auto scale = ParameterInteger(ticket_, Keyword("PageScalingScale")).value_or(100);
      extra_.scale = static_cast<DWORD>(std::clamp(scale, 1LL, 1000LL));
      dm_.dmScale = ToShort(scale);
      dm_.dmFields |= DM_SCALE;
    }
  }

  const Document& ticket_;
  const DeviceDescription& device_;
  DEVMODEW& dm_;
  DriverDevMode& extra_;
};

}  // namespace

void DevModeDeleter::operator()(DEVMODEW* devmode) const { ReleaseDevModeMemory(devmode); }

void ReleaseDevModeMemory(void* block) { std::free(block); }

DevModeBlock ConvertToDevMode(const Document& ticket, const DeviceDescription& device,
                              std::u16string_view deviceName) {
  constexpr std::size_t size = sizeof(DEVMODEW) + sizeof(DriverDevMode);
  DevModeBlock block(static_cast<DEVMODEW*>(std::calloc(1, size)));
  if (!block) throw std::bad_alloc();
  DEVMODEW& dm = *block;
  CopyName(dm.dmDeviceName, deviceName);
  dm.dmSpecVersion = DM_SPECVERSION;
  dm.dmDriverVersion = 0x0100;
  dm.dmSize = sizeof(DEVMODEW);
  dm.dmDriverExtra = sizeof(DriverDevMode);
  DriverDevMode extra{};
  extra.signature = kDriverDevModeSignature;
  extra.version = kDriverDevModeVersion;
  extra.pagesPerSheet = 1;
  DevModeWriter(ticket, device, dm, extra).Write();
  std::memcpy(reinterpret_cast<BYTE*>(block.get()) + sizeof(DEVMODEW), &extra, sizeof extra);
  return block;
}

}  // namespace kx::pt
