// The feature records: small tickets in, values out; and what a writer writes reads back.
#include <gtest/gtest.h>

#include <memory>

#include "binding_settings.h"
#include "duplex_settings.h"
#include "input_bin_settings.h"
#include "job_info_settings.h"
#include "media_size_settings.h"
#include "mirror_settings.h"
#include "nup_settings.h"
#include "poster_settings.h"
#include "resolution_settings.h"
#include "ticket_fixture.h"

namespace kx {
namespace {

using test::kPrivateNamespace;
using test::TicketXml;

class FeatureRecordTest : public test::ComApartmentTest {
 protected:
  PrintTicketDocument& Open(std::u16string_view body, TicketRoot root = TicketRoot::PrintTicket) {
    dom = test::LoadTicketDom(TicketXml(
        body, root == TicketRoot::PrintTicket ? u"psf:PrintTicket" : u"psf:PrintCapabilities"));
    document = std::make_unique<PrintTicketDocument>(root, kPrivateNamespace, dom.Get());
    return *document;
  }

  ComPtr<IXMLDOMDocument2> dom;
  std::unique_ptr<PrintTicketDocument> document;
};

std::u16string Option(std::u16string_view feature, std::u16string_view option,
                      std::u16string_view inside = u"") {
  return u"<psf:Feature name=\"" + std::u16string(feature) + u"\"><psf:Option name=\"" +
         std::u16string(option) + u"\">" + std::u16string(inside) + u"</psf:Option></psf:Feature>";
}

std::u16string Scored(std::u16string_view name, std::u16string_view value,
                      std::u16string_view type = u"integer") {
  return u"<psf:ScoredProperty name=\"" + std::u16string(name) + u"\"><psf:Value xsi:type=\"xsd:" +
         std::u16string(type) + u"\">" + std::u16string(value) +
         u"</psf:Value></psf:ScoredProperty>";
}

std::u16string Property(std::u16string_view name, std::u16string_view value,
                        std::u16string_view type = u"string") {
  return u"<psf:Property name=\"" + std::u16string(name) + u"\"><psf:Value xsi:type=\"xsd:" +
         std::u16string(type) + u"\">" + std::u16string(value) + u"</psf:Value></psf:Property>";
}

// --- media size and imageable area

TEST_F(FeatureRecordTest, MediaSizeKeepsDefaultsForWhatIsAbsent) {
  auto& ticket = Open(
      Option(u"psk:PageMediaSize", u"psk:ISOA4",
             Scored(u"psk:MediaSizeWidth", u"210000") + Scored(u"psk:MediaSizeHeight", u"297000")));
  MediaSizeSettings media;
  EXPECT_EQ(ReadMediaSize(ticket, &media), S_FEATURES_ABSENT);
  EXPECT_EQ(media.mediaName, u"ISOA4");
  EXPECT_FALSE(media.privateName);
  EXPECT_EQ(media.width, 210000);
  EXPECT_EQ(media.height, 297000);
  EXPECT_EQ(media.orientation, kPortrait);
  EXPECT_EQ(media.docMargins[0], -1);
  EXPECT_EQ(media.customPaperTemp, 256);
}

TEST_F(FeatureRecordTest, MediaSizeWithoutHeightChangesNothingOfTheSize) {
  auto& ticket =
      Open(Option(u"psk:PageMediaSize", u"psk:ISOA3", Scored(u"psk:MediaSizeWidth", u"297000")) +
           Option(u"psk:PageOrientation", u"psk:ReverseLandscape"));
  MediaSizeSettings media;
  ReadMediaSize(ticket, &media);
  EXPECT_EQ(media.mediaName, u"NorthAmericaLetter");
  EXPECT_EQ(media.width, 215900);
  EXPECT_EQ(media.orientation, kReverseLandscape);
}

TEST_F(FeatureRecordTest, MediaSizeRoundTrips) {
  struct Case {
    const char* description;
    std::u16string name;
    bool privateName;
  } cases[] = {{"keywords size", u"ISOA5", false},
               {"private size", u"Postcard2L", true},
               {"custom size", u"CustomMediaSize", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    auto& ticket = Open(u"");
    MediaSizeSettings written;
    written.mediaName = c.name;
    written.privateName = c.privateName;
    written.width = 123456;
    written.height = 234567;
    written.orientation = kLandscape;
    written.customUnitType = 1;
    written.transverseMode = 1;
    written.thicknessType = 2;
    written.useFixedMargin = 1;
    written.docMargins[2] = 5000;
    written.outMargins[3] = 7000;
    written.customPaperTemp = -5;
    ASSERT_EQ(WriteMediaSize(ticket, written), S_OK);
    ASSERT_EQ(WriteMediaSize(ticket, written), S_OK);  // rewriting leaves no duplicates

    MediaSizeSettings read;
    EXPECT_EQ(ReadMediaSize(ticket, &read), S_OK);
    EXPECT_EQ(read.mediaName, c.name);
    EXPECT_EQ(read.privateName, c.privateName);
    EXPECT_EQ(read.width, 123456);
    EXPECT_EQ(read.height, 234567);
    EXPECT_EQ(read.orientation, kLandscape);
    EXPECT_EQ(read.customUnitType, 1);
    EXPECT_EQ(read.transverseMode, 1);
    EXPECT_EQ(read.thicknessType, 2);
    EXPECT_EQ(read.useFixedMargin, 1);
    EXPECT_EQ(read.docMargins[2], 5000);
    EXPECT_EQ(read.outMargins[3], 7000);
    EXPECT_EQ(read.customPaperTemp, -5);
    const std::u16string xml = test::DomXml(dom.Get());
    EXPECT_EQ(xml.find(u"psf:Feature name=\"psk:PageMediaSize\""),
              xml.rfind(u"psf:Feature name=\"psk:PageMediaSize\""));
    const bool custom = c.name == u"CustomMediaSize";
    EXPECT_EQ(
        xml.find(u"ParameterInit name=\"psk:PageMediaSizeMediaSizeWidth\"") != std::u16string::npos,
        custom);
    EXPECT_EQ(xml.find(u"name=\"kx:Postcard2L\"") != std::u16string::npos, c.privateName);
  }
}

TEST_F(FeatureRecordTest, ReadsTheImageableAreaOfCapabilities) {
  auto& capabilities = Open(u"<psf:Property name=\"psk:PageImageableSize\">" +
                                Property(u"psk:ImageableSizeWidth", u"210000", u"integer") +
                                Property(u"psk:ImageableSizeHeight", u"297000", u"integer") +
                                u"<psf:Property name=\"psk:ImageableArea\">" +
                                Property(u"psk:OriginWidth", u"3000", u"integer") +
                                Property(u"psk:OriginHeight", u"3000", u"integer") +
                                Property(u"psk:ExtentWidth", u"204000", u"integer") +
                                Property(u"psk:ExtentHeight", u"289000", u"integer") +
                                u"</psf:Property></psf:Property>",
                            TicketRoot::PrintCapabilities);
  ImageableAreaSettings area{};
  ASSERT_EQ(ReadImageableArea(capabilities, &area), S_OK);
  EXPECT_EQ(area.imageableWidth, 210000);
  EXPECT_EQ(area.imageableHeight, 297000);
  EXPECT_EQ(area.originWidth, 3000);
  EXPECT_EQ(area.extentHeight, 289000);

  auto& empty = Open(u"", TicketRoot::PrintCapabilities);
  EXPECT_EQ(ReadImageableArea(empty, &area), kElementNotFound);
}

// --- job information

TEST_F(FeatureRecordTest, JobInfoReadsItsGroupsAndTakesLowSixteenBits) {
  auto& ticket =
      Open(u"<psf:Property name=\"kx:JobSettingData\">" + Property(u"kx:SeparateTrayMode", u"on") +
           Property(u"kx:BandingPortraitSize", u"70000", u"integer") + u"</psf:Property>");
  JobInfoSettings info;
  EXPECT_EQ(ReadJobInfo(ticket, &info), S_OK);
  EXPECT_EQ(info.separateTrayMode, 0);  // "on" is not "On"
  EXPECT_EQ(info.bandingPortraitSize, 4464);
  EXPECT_EQ(info.codePage, 1252u);
  EXPECT_TRUE(info.defaultUserName.empty());
}

TEST_F(FeatureRecordTest, JobInfoRoundTrips) {
  auto& ticket = Open(u"");
  JobInfoSettings written;
  written.defaultUserName = u"Ada";
  written.computerName = u"LAB-7";
  written.codePage = 932;
  written.separateTrayMode = 1;
  written.divideCondition = u"Pages=10";
  written.bandingLandscapeFlag = 65535;
  written.halftoneReduction = 1;
  written.draftMode = 1;
  ASSERT_EQ(WriteJobInfo(ticket, written), S_OK);
  JobInfoSettings read;
  ASSERT_EQ(ReadJobInfo(ticket, &read), S_OK);
  EXPECT_EQ(read.defaultUserName, u"Ada");
  EXPECT_EQ(read.computerName, u"LAB-7");
  EXPECT_EQ(read.codePage, 932u);
  EXPECT_EQ(read.separateTrayMode, 1);
  EXPECT_EQ(read.divideCondition, u"Pages=10");
  EXPECT_EQ(read.bandingLandscapeFlag, 65535);
  EXPECT_EQ(read.halftoneReduction, 1);
  EXPECT_EQ(read.draftMode, 1);
}

// --- duplex, input bin, binding

TEST_F(FeatureRecordTest, ReadsDuplexOptionsAndModes) {
  struct Case {
    std::u16string body;
    int source, duplex, mode;
  } cases[] = {
      {u"", -1, kOneSided, 0},
      {Option(u"psk:DocumentDuplex", u"psk:TwoSidedLongEdge"), -1, kOneSided, 0},
      {Option(u"psk:JobDuplexAllDocumentsContiguously", u"psk:OneSided"), 0, kOneSided, 0},
      {Option(u"psk:JobDuplexAllDocumentsContiguously", u"psk:TwoSidedShortEdge"), 0,
       kShortEdgeAutomatic, 0},
      {Option(u"psk:JobDuplexAllDocumentsContiguously", u"psk:TwoSidedShortEdge",
              Scored(u"psk:DuplexMode", u"Automatic", u"string")),
       0, kShortEdgeAutomatic, 1},
      {Option(u"psk:JobDuplexAllDocumentsContiguously", u"psk:TwoSidedLongEdge",
              Scored(u"psk:DuplexMode", u"Manual", u"string")),
       0, kLongEdgeManual, 2},
      {Option(u"psk:JobDuplexAllDocumentsContiguously", u"psk:TwoSidedLongEdge",
              Scored(u"psk:DuplexMode", u"Other", u"string")),
       0, kLongEdgeAutomatic, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.body.begin(), c.body.end()));
    DuplexSettings duplex;
    ASSERT_EQ(ReadDuplex(Open(c.body), &duplex), S_OK);
    EXPECT_EQ(duplex.source, c.source);
    EXPECT_EQ(duplex.duplex, c.duplex);
    EXPECT_EQ(duplex.mode, c.mode);
  }
}

TEST_F(FeatureRecordTest, DuplexRoundTripsAndRefusesBadIndexes) {
  auto& ticket = Open(u"");
  DuplexSettings written{0, kLongEdgeManual, 2, 1, 2};
  ASSERT_EQ(WriteDuplex(ticket, written), S_OK);
  DuplexSettings read;
  ASSERT_EQ(ReadDuplex(ticket, &read), S_OK);
  EXPECT_EQ(read.source, 0);
  EXPECT_EQ(read.duplex, kLongEdgeManual);
  EXPECT_EQ(read.mode, 2);
  EXPECT_EQ(read.firstPaper, 1);
  EXPECT_EQ(read.subMode, 2);
  EXPECT_NE(test::DomXml(dom.Get()).find(u"Manual"), std::u16string::npos);

  DuplexSettings bad{0, 5, 0, 0, 0};
  EXPECT_EQ(WriteDuplex(ticket, bad), E_INVALIDARG);
}

TEST_F(FeatureRecordTest, ReadsInputBinsByNamespace) {
  struct Case {
    const char* description;
    std::u16string body;
    std::uint32_t slot0, slot1;
    int invalid;
  } cases[] = {
      {"nothing", u"", 0, 1, 0},
      {"private tray", Option(u"psk:PageInputBin", u"kx:Tray2"), 3, 1, 0},
      {"tray in the wrong namespace", Option(u"psk:PageInputBin", u"psk:Tray1"), 0, 1, 0},
      {"manual feed", Option(u"psk:PageInputBin", u"psk:Manual"), 10, 1, 0},
      {"second bin", Option(u"kx:JobInput2ndBin", u"kx:MPTray"), 0, 11, 0},
      {"invalid second bin",
       u"<psf:Property name=\"kx:PageInputBinData\">" +
           Property(u"kx:SecondBinData", u"InvalidSecondBinData") + u"</psf:Property>",
       0, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    InputBinSettings bins;
    bins.secondBinInvalid = 7;
    ASSERT_EQ(ReadInputBin(Open(c.body), &bins), S_OK);
    EXPECT_EQ(bins.binIndex[0], c.slot0);
    EXPECT_EQ(bins.binIndex[1], c.slot1);
    EXPECT_EQ(bins.secondBinInvalid, c.invalid);
  }
}

TEST_F(FeatureRecordTest, InputBinRoundTrips) {
  auto& ticket = Open(u"");
  InputBinSettings written;
  ASSERT_EQ(written.SetSlot(0, 5), S_OK);
  ASSERT_EQ(written.SetSlot(1, 10), S_OK);
  EXPECT_EQ(written.SetSlot(2, 0), E_FAIL);
  EXPECT_EQ(written.SetSlot(0, 12), E_FAIL);
  written.secondBinInvalid = 1;
  ASSERT_EQ(WriteInputBin(ticket, &written), S_OK);
  InputBinSettings read;
  ASSERT_EQ(ReadInputBin(ticket, &read), S_OK);
  EXPECT_EQ(read.binIndex[0], 5u);
  EXPECT_EQ(read.binName[0], u"Tray4");
  EXPECT_EQ(read.binIndex[1], 10u);
  EXPECT_EQ(read.binPrivate[1], 0u);
  EXPECT_EQ(read.secondBinInvalid, 1);
}

TEST_F(FeatureRecordTest, ReadsABookletBindingWithSets) {
  auto& ticket = Open(
      u"<psf:Feature name=\"psk:JobBindAllDocuments\"><psf:Option name=\"psk:Booklet\">"
      u"<psf:ScoredProperty name=\"psk:BindingGutter\"><psf:ParameterRef "
      u"name=\"psk:JobBindAllDocumentsGutter\"/></psf:ScoredProperty>" +
      Scored(u"kx:DependOnDuplex", u"False", u"string") + u"</psf:Option>" +
      Property(u"kx:BindingOptionControl", u"On") +
      Option(u"kx:BookletPrintingMethod", u"kx:DivideIntoSets") + u"</psf:Feature>" +
      u"<psf:ParameterInit name=\"psk:JobBindAllDocumentsGutter\"><psf:Value "
      u"xsi:type=\"xsd:integer\">10000</psf:Value></psf:ParameterInit>"
      u"<psf:ParameterInit name=\"kx:JobBindBookletDivideSheets\"><psf:Value "
      u"xsi:type=\"xsd:integer\">5</psf:Value></psf:ParameterInit>");
  BindingSettings binding;
  binding.dependOnDuplex = 1;
  ASSERT_EQ(ReadBinding(ticket, &binding), S_OK);
  EXPECT_EQ(binding.feature, 0);
  EXPECT_EQ(binding.binding, kBooklet);
  EXPECT_EQ(binding.gutter, 10000u);
  EXPECT_EQ(binding.dependOnDuplex, 0u);
  EXPECT_EQ(binding.optionControl, 1);
  EXPECT_EQ(binding.bookletMethod, 1);
  EXPECT_EQ(binding.divideSheets, 5u);
}

TEST_F(FeatureRecordTest, AnUnknownBindingKeepsTheBindingButReadsTheRest) {
  auto& ticket = Open(
      u"<psf:Feature name=\"psk:JobBindAllDocuments\"><psf:Option "
      u"name=\"psk:BindTopLeft\"/>" +
      Option(u"kx:BindingUnit", u"kx:inches") + u"</psf:Feature>");
  BindingSettings binding;
  ASSERT_EQ(ReadBinding(ticket, &binding), S_OK);
  EXPECT_EQ(binding.feature, 0);
  EXPECT_EQ(binding.binding, kBindLeft);
  EXPECT_EQ(binding.unit, 1);
}

TEST_F(FeatureRecordTest, BindingRoundTripsAndRefusesBadIndexes) {
  auto& ticket = Open(u"");
  BindingSettings written;
  written.feature = 0;
  written.binding = kBookletReverseFlip;
  written.gutter = 12000;
  written.gutterControl = 1;
  written.unit = 1;
  written.dependOnDuplex = 1;
  written.optionControl = 1;
  written.bookletMethod = 1;
  written.divideSheets = 3;
  ASSERT_EQ(WriteBinding(ticket, written), S_OK);
  ASSERT_EQ(WriteBinding(ticket, written), S_OK);
  BindingSettings read;
  ASSERT_EQ(ReadBinding(ticket, &read), S_OK);
  EXPECT_EQ(read.binding, kBookletReverseFlip);
  EXPECT_EQ(read.gutter, 12000u);
  EXPECT_EQ(read.gutterControl, 1);
  EXPECT_EQ(read.unit, 1);
  EXPECT_EQ(read.dependOnDuplex, 1u);
  EXPECT_EQ(read.optionControl, 1);
  EXPECT_EQ(read.bookletMethod, 1);
  EXPECT_EQ(read.divideSheets, 3u);

  const std::u16string before = test::DomXml(dom.Get());
  written.binding = 6;
  EXPECT_EQ(WriteBinding(ticket, written), E_INVALIDARG);
  EXPECT_EQ(test::DomXml(dom.Get()), before);
}

// --- N-up, poster, mirror

std::u16string NUp(std::u16string_view pages, std::u16string_view direction,
                   std::u16string_view border) {
  std::u16string body = u"<psf:Feature name=\"psk:JobNUpAllDocumentsContiguously\"><psf:Option>" +
                        Scored(u"psk:PagesPerSheet", pages) + u"</psf:Option>";
  if (!direction.empty()) body += Option(u"psk:PresentationDirection", direction);
  if (!border.empty()) body += Option(u"kx:BorderLine", border);
  return body + u"</psf:Feature>";
}

TEST_F(FeatureRecordTest, ReadsNUpRequests) {
  struct Case {
    const char* description;
    std::u16string body;
    int feature, pages, direction, border;
  } cases[] = {
      {"no N-up", u"", -1, 1, 0, 0},
      {"driver ticket", NUp(u"4", u"psk:BottomLeft", u"kx:SolidLine"), 0, 4, 3, 1},
      {"application ticket without BorderLine", NUp(u"2", u"psk:BottomRight", u""), 0, 2, 1, 0},
      {"zero pages", NUp(u"0", u"psk:RightBottom", u""), 0, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    NUpSettings nup;
    ASSERT_EQ(ReadNUp(Open(c.body), &nup), S_OK);
    EXPECT_EQ(nup.feature, c.feature);
    EXPECT_EQ(nup.pagesPerSheet, c.pages);
    EXPECT_EQ(nup.direction, c.direction);
    EXPECT_EQ(nup.border, c.border);
  }
}

TEST_F(FeatureRecordTest, NUpRoundTripsAndZeroPagesRemovesIt) {
  auto& ticket = Open(Option(u"psk:DocumentNUp", u"psk:Anything"));
  NUpSettings written{0, 9, 2, 2};
  ASSERT_EQ(WriteNUp(ticket, written), S_OK);
  EXPECT_EQ(ticket.FeatureExists(u"DocumentNUp"), kElementNotFound);
  NUpSettings read;
  ASSERT_EQ(ReadNUp(ticket, &read), S_OK);
  EXPECT_EQ(read.feature, 0);
  EXPECT_EQ(read.pagesPerSheet, 9);
  EXPECT_EQ(read.direction, 2);
  EXPECT_EQ(read.border, 2);

  written.pagesPerSheet = 0;
  ASSERT_EQ(WriteNUp(ticket, written), S_OK);
  EXPECT_EQ(ticket.FeatureExists(u"JobNUpAllDocumentsContiguously"), kElementNotFound);
}

TEST_F(FeatureRecordTest, ReadsPosters) {
  PosterSettings poster;
  poster.sheetsPerPage = 9;
  ASSERT_EQ(ReadPoster(Open(u""), &poster), S_OK);
  EXPECT_EQ(poster.sheetsPerPage, 0);

  auto& ticket = Open(u"<psf:Feature name=\"psk:PagePoster\"><psf:Option>" +
                      Scored(u"psk:SheetsPerPage", u"9") + u"</psf:Option>" +
                      Option(u"kx:PagePrintCutOutLine", u"kx:On") + u"</psf:Feature>" +
                      u"<psf:Property name=\"kx:PagePosterData\">" +
                      Property(u"kx:HideFlag", u"257", u"integer") + u"</psf:Property>");
  ASSERT_EQ(ReadPoster(ticket, &poster), S_OK);
  EXPECT_EQ(poster.sheetsPerPage, 9);
  EXPECT_EQ(poster.cutOutLine, 1);
  EXPECT_EQ(poster.hideFlag, 1);  // low byte
}

TEST_F(FeatureRecordTest, ReverseImageCountsOnlyInThePrivateNamespace) {
  MirrorSettings mirror;
  ASSERT_EQ(ReadMirror(Open(Option(u"kx:PageReverseImage", u"psk:On")), &mirror), S_OK);
  EXPECT_EQ(mirror.reverse, 0);
  ASSERT_EQ(ReadMirror(Open(Option(u"kx:PageReverseImage", u"kx:On") +
                            Option(u"psk:PageMirrorImage", u"psk:MirrorImageHeight")),
                       &mirror),
            S_OK);
  EXPECT_EQ(mirror.reverse, 1);
  EXPECT_EQ(mirror.mirror, 1);
}

TEST_F(FeatureRecordTest, MirrorRoundTripsEvenWhenOff) {
  auto& ticket = Open(u"");
  ASSERT_EQ(WriteMirror(ticket, MirrorSettings{2, 0}), S_OK);
  EXPECT_EQ(ticket.FeatureExists(u"PageMirrorImage"), S_OK);
  EXPECT_NE(test::DomXml(dom.Get()).find(u"kx:PageReverseImage"), std::u16string::npos);
  MirrorSettings read{0, 1};
  ASSERT_EQ(ReadMirror(ticket, &read), S_OK);
  EXPECT_EQ(read.mirror, 2);
  EXPECT_EQ(read.reverse, 0);
}

// --- resolution

TEST_F(FeatureRecordTest, ReadsResolutionAndQuality) {
  auto resolution = [](std::u16string_view x, std::u16string_view y) {
    return Option(u"psk:PageResolution", u"kx:Res",
                  Scored(u"psk:ResolutionX", x) + Scored(u"psk:ResolutionY", y));
  };
  struct Case {
    const char* description;
    std::u16string body;
    HRESULT result;
    int x, index, hq, quality;
  } cases[] = {
      {"nothing", u"", S_FEATURES_ABSENT, 1200, 0, 1, 0},
      {"600 dpi drops HQ",
       resolution(u"600", u"600") + Option(u"psk:PageOutputQuality", u"psk:Photographic"), S_OK,
       600, 1, 0, 5},
      {"pair not in the list", resolution(u"600", u"1200"), S_FEATURES_ABSENT, 1200, 0, 1, 0},
      {"HQ1200Mode after the resolution",
       resolution(u"300", u"300") + u"<psf:Property name=\"kx:PageResolutionData\">" +
           Property(u"kx:HQ1200Mode", u"On") + u"</psf:Property>",
       S_FEATURES_ABSENT, 300, 2, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    ResolutionSettings record{1200, 1200, 1, 0, 0};
    EXPECT_EQ(ReadResolution(Open(c.body), &record), c.result);
    EXPECT_EQ(record.resolutionX, c.x);
    EXPECT_EQ(record.resolutionIndex, c.index);
    EXPECT_EQ(record.highQuality1200, c.hq);
    EXPECT_EQ(record.quality, c.quality);
  }
}

}  // namespace
}  // namespace kx
