// The layout filter on a job of fake parts, with the driver's print ticket service: which
// parts reach the writer, the markup of the sheets, and the tickets written.
#include "layout_filter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fake_pipeline.h"
#include "kx/utf16.h"
#include "layout_fakes.h"
#include "scripted_provider.h"
#include "ticket_fixture.h"

namespace kx {
namespace {

using test::LayoutConsumer;
using test::TestPage;
using test::TicketXml;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr char kPageMarkup[] =
    "<FixedPage Width=\"793.76\" Height=\"1122.56\" xmlns=\"http://schemas.microsoft.com/xps/"
    "2005/06\" xml:lang=\"en-US\"><Path Data=\"M 10,10 L 100,10 L 100,100 Z\" "
    "Fill=\"#FF0000\"/></FixedPage>";

std::u16string NUp(int pages, const char16_t* direction = u"RightBottom",
                   const char16_t* border = u"SolidLine") {
  return u"<psf:Feature name=\"psk:JobNUpAllDocumentsContiguously\"><psf:Option>"
         u"<psf:ScoredProperty name=\"psk:PagesPerSheet\"><psf:Value xsi:type=\"xsd:integer\">" +
         Utf8ToUtf16(std::to_string(pages)) +
         u"</psf:Value></psf:ScoredProperty></psf:Option>"
         u"<psf:Feature name=\"psk:PresentationDirection\"><psf:Option name=\"psk:" +
         direction +
         u"\"/></psf:Feature><psf:Feature name=\"kx:BorderLine\"><psf:Option name=\"kx:" + border +
         u"\"/></psf:Feature></psf:Feature>";
}

std::u16string Duplex(const char16_t* option, const char16_t* mode = u"Automatic") {
  return std::u16string(
             u"<psf:Feature name=\"psk:JobDuplexAllDocumentsContiguously\">"
             u"<psf:Option name=\"psk:") +
         option +
         u"\"><psf:ScoredProperty name=\"psk:DuplexMode\"><psf:Value xsi:type=\"xsd:string\">" +
         mode + u"</psf:Value></psf:ScoredProperty></psf:Option></psf:Feature>";
}

std::u16string Binding(const char16_t* option, int gutter = 0) {
  return std::u16string(u"<psf:Feature name=\"psk:JobBindAllDocuments\"><psf:Option name=\"psk:") +
         option +
         u"\"><psf:ScoredProperty name=\"psk:BindingGutter\"><psf:ParameterRef "
         u"name=\"psk:JobBindAllDocumentsGutter\"/></psf:ScoredProperty></psf:Option>"
         u"<psf:Property name=\"kx:BindingOptionControl\"><psf:Value xsi:type=\"xsd:string\">On"
         u"</psf:Value></psf:Property><psf:Feature name=\"kx:BindingGutterControl\"><psf:Option "
         u"name=\"kx:On\"/></psf:Feature></psf:Feature><psf:ParameterInit "
         u"name=\"psk:JobBindAllDocumentsGutter\"><psf:Value xsi:type=\"xsd:integer\">" +
         Utf8ToUtf16(std::to_string(gutter)) + u"</psf:Value></psf:ParameterInit>";
}

std::u16string JobSetting(const char16_t* name, const char16_t* value) {
  return std::u16string(u"<psf:Property name=\"kx:JobSettingData\"><psf:Property name=\"kx:") +
         name + u"\"><psf:Value xsi:type=\"xsd:string\">" + value +
         u"</psf:Value></psf:Property></psf:Property>";
}

std::u16string Poster(int sheets) {
  return u"<psf:Feature name=\"psk:PagePoster\"><psf:Option><psf:ScoredProperty "
         u"name=\"psk:SheetsPerPage\"><psf:Value xsi:type=\"xsd:integer\">" +
         Utf8ToUtf16(std::to_string(sheets)) +
         u"</psf:Value></psf:ScoredProperty></psf:Option></psf:Feature>";
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The Value of the first property or scored property of that name, as text.
std::string ValueOf(const std::string& ticket, const std::string& name) {
  const std::size_t property = ticket.find(name + "\"");
  const std::size_t value = ticket.find("<psf:Value", property);
  const std::size_t start = ticket.find('>', value);
  if (property == std::string::npos || value == std::string::npos) return "(absent)";
  return ticket.substr(start + 1, ticket.find('<', start) - start - 1);
}

int Count(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++count;
  return count;
}

// The filter with the tickets its manager holds in view.
class InspectedLayoutFilter final : public LayoutFilter {
 public:
  std::u16string TicketText(int scope) {
    IXMLDOMDocument2* ticket = nullptr;
    return SUCCEEDED(ticketManager_.GetTicket(scope, &ticket)) ? test::DomXml(ticket) : u"";
  }
};

class LayoutFilterTest : public ::testing::Test {
 protected:
  // A job of one sequence carrying jobTicket (none when empty) and documents of the given
  // numbers of pages; pageTicket gives the ticket body of a page by its number (1-based), an
  // empty one for a page without a ticket.
  HRESULT Run(const std::u16string& jobTicket, std::vector<int> documents,
              std::function<std::u16string(int)> pageTicket = nullptr) {
    std::vector<ComPtr<IUnknown>> parts;
    parts.emplace_back(MakeComObject<test::FakeXpsDocument>().Get());
    auto sequence = MakeComObject<test::FakeFixedDocumentSequence>(u"/FDS.fdseq");
    if (!jobTicket.empty()) sequence->SetPrintTicket(Ticket(u"/job.xml", jobTicket).Get());
    parts.emplace_back(sequence.Get());
    int number = 0;
    for (std::size_t d = 0; d < documents.size(); ++d) {
      const std::string prefix = "/Documents/" + std::to_string(d + 1);
      parts.emplace_back(
          MakeComObject<test::FakeFixedDocument>(Utf8ToUtf16(prefix + "/FD.fdoc")).Get());
      for (int p = 1; p <= documents[d]; ++p) {
        ++number;
        auto page = MakeComObject<TestPage>(
            Utf8ToUtf16(prefix + "/Pages/" + std::to_string(p) + ".fpage"), markup);
        const std::u16string body = pageTicket ? pageTicket(number) : std::u16string();
        if (!body.empty()) page->SetPrintTicket(Ticket(u"/page.xml", body).Get());
        inputs.push_back(page);
        parts.emplace_back(page.Get());
      }
    }
    auto provider = MakeComObject<test::ScriptedProvider>(std::move(parts));
    auto communicator = MakeComObject<test::FakeCommunicator>(provider.Get(), consumer.Get());
    auto bag = MakeComObject<pipeline::PropertyBag>();
    bag->SetString(u"PrinterName", u"Kexley Inkjet");
    test::SetUserTicket(*bag.Get(), ReadFile(KX_DRIVER_DIR "/default_ticket.xml"));
    if (landscapeRotation) bag->SetUInt(u"LandscapeRotation", landscapeRotation);
    filter = ComPtr<InspectedLayoutFilter>::Attach(new InspectedLayoutFilter);
    const HRESULT hr = filter->InitializeFilter(communicator.Get(), bag.Get(), manager.Get());
    return FAILED(hr) ? hr : filter->StartOperation();
  }

  static ComPtr<test::FakePrintTicketPart> Ticket(const char16_t* name,
                                                  const std::u16string& body) {
    return MakeComObject<test::FakePrintTicketPart>(name, Utf16ToUtf8(TicketXml(body)));
  }

  // The ticket the sequence went on with.
  std::string SequenceTicket() {
    ComPtr<IPartPrintTicket> ticket;
    if (!consumer->sequence) return {};
    consumer->sequence->GetPrintTicket(ticket.ReleaseAndGetAddressOf());
    return ticket ? static_cast<test::FakePrintTicketPart*>(ticket.Get())->Content() : "";
  }

  std::string SheetMarkup(std::size_t sent) {
    TestPage* page = consumer->Page(consumer->sentPages.at(sent));
    return page ? page->output->bytes : "";
  }
  std::string SheetTicket(std::size_t sent) {
    TestPage* page = consumer->Page(consumer->sentPages.at(sent));
    if (!page) page = inputs.at(0).Get();
    auto ticket = page->Ticket();
    return ticket ? ticket->Content() : "";
  }

  std::string markup = kPageMarkup;
  ULONG landscapeRotation = 0;
  std::vector<ComPtr<TestPage>> inputs;
  ComPtr<LayoutConsumer> consumer = MakeComObject<LayoutConsumer>();
  ComPtr<InspectedLayoutFilter> filter;
  ComPtr<test::FakeManagerControl> manager = MakeComObject<test::FakeManagerControl>();
};

TEST_F(LayoutFilterTest, FourUpComposesSheetsAndTellsTheFiltersAfterItOnePagePerSheet) {
  ASSERT_EQ(Run(NUp(4), {5}), S_OK);

  EXPECT_THAT(consumer->sent, ElementsAre("sequence", "document /Documents/1/FD.fdoc",
                                          ::testing::StartsWith("page /LO_NUpPage_"),
                                          ::testing::StartsWith("page /LO_NUpPage_")));
  const std::string job = SequenceTicket();
  EXPECT_EQ(ValueOf(job, "psk:PagesPerSheet"), "1");

  const std::string sheet = SheetMarkup(0);
  EXPECT_THAT(sheet, ::testing::StartsWith(
                         "<?xml version=\"1.0\" encoding=\"utf-8\"?><FixedPage Width=\"793.71\" "
                         "Height=\"1122.53\" xml:lang=\"en-US\" "
                         "xmlns=\"http://schemas.microsoft.com/xps/2005/06\"><Canvas "
                         "RenderTransform=\""));
  EXPECT_EQ(Count(sheet, "<Canvas RenderTransform="), 4);
  const std::size_t path =
      sheet.find("<Path Stroke=\"#000000\" StrokeThickness=\"0.30\" Data=\"M ");
  ASSERT_NE(path, std::string::npos);
  EXPECT_EQ(Count(sheet.substr(path), " H "), 1);
  EXPECT_EQ(Count(sheet.substr(path), " V "), 1);
  EXPECT_THAT(sheet, ::testing::EndsWith(" \" /></FixedPage>"));
  EXPECT_EQ(Count(SheetMarkup(1), "<Canvas RenderTransform="), 1);
  EXPECT_TRUE(consumer->Page(consumer->sentPages[0])->output->closed);

  // Each sheet's ticket: its media, one page per sheet, no tray separation left, and a second
  // tray the device is not to use.
  const std::string ticket = SheetTicket(0);
  EXPECT_EQ(ValueOf(ticket, "psk:PagesPerSheet"), "1");
  EXPECT_THAT(ticket, HasSubstr("InvalidSecondBinData"));
  EXPECT_EQ(ValueOf(ticket, "kx:SeparateTrayMode"), "Off");
  EXPECT_THAT(ticket, HasSubstr("psk:Portrait"));
}

TEST_F(LayoutFilterTest, TwoUpTurnsTheSheetAndDrawsNoLinesWithoutABorder) {
  ASSERT_EQ(Run(NUp(2, u"RightBottom", u"None"), {2}), S_OK);
  ASSERT_EQ(consumer->sentPages.size(), 1u);
  const std::string sheet = SheetMarkup(0);
  EXPECT_THAT(sheet, HasSubstr("<FixedPage Width=\"1122.53\" Height=\"793.71\""));
  EXPECT_EQ(Count(sheet, "<Canvas RenderTransform="), 2);
  EXPECT_THAT(sheet, Not(HasSubstr("<Path Stroke=\"#000000\"")));
  EXPECT_THAT(sheet, ::testing::EndsWith("</Canvas></FixedPage>"));  // the second page's Canvas
  EXPECT_THAT(SheetTicket(0), HasSubstr("psk:Landscape"));
}

TEST_F(LayoutFilterTest, AOneSidedJobWithoutLayoutIsForwardedUnchanged) {
  ASSERT_EQ(Run(u"", {2, 1}), S_OK);
  EXPECT_THAT(consumer->sent,
              ElementsAre("sequence", "document /Documents/1/FD.fdoc",
                          "page /Documents/1/Pages/1.fpage", "page /Documents/1/Pages/2.fpage",
                          "document /Documents/2/FD.fdoc", "page /Documents/2/Pages/1.fpage"));
  EXPECT_TRUE(consumer->pages.empty());
  for (const auto& page : inputs) {
    EXPECT_TRUE(page->output->bytes.empty());
    EXPECT_FALSE(page->Ticket());
  }
}

TEST_F(LayoutFilterTest, ATwoSidedJobGetsASheetForEveryPage) {
  ASSERT_EQ(Run(Duplex(u"TwoSidedLongEdge"), {3}), S_OK);
  EXPECT_THAT(consumer->PageKinds(), ElementsAre("LO_NUpPage", "LO_NUpPage", "LO_NUpPage"));
}

TEST_F(LayoutFilterTest, ABookletPrintedOnTheLongEdgeIsBoundOnTheLeftInstead) {
  ASSERT_EQ(Run(Binding(u"Booklet") + Duplex(u"TwoSidedLongEdge"), {2}), S_OK);
  const std::string job = SequenceTicket();
  EXPECT_THAT(job, HasSubstr("psk:BindLeft"));
  EXPECT_THAT(job, HasSubstr("BindingGutterControl\"><psf:Option name=\"kx:Off\""));
}

TEST_F(LayoutFilterTest, JobWideNUpContinuesTheFirstDocumentWithTheNextOnes) {
  ASSERT_EQ(Run(NUp(2), {3, 1}), S_OK);
  EXPECT_THAT(consumer->sent, ElementsAre("sequence", "document /Documents/1/FD.fdoc",
                                          ::testing::StartsWith("page /LO_NUpPage_"),
                                          ::testing::StartsWith("page /LO_NUpPage_")));
  EXPECT_EQ(Count(SheetMarkup(1), "<Canvas RenderTransform="), 2);
}

TEST_F(LayoutFilterTest, ALeftGutterShiftsAPageForwardedAloneInPlace) {
  ASSERT_EQ(Run(Binding(u"BindLeft", 10000), {1}), S_OK);
  EXPECT_THAT(consumer->sentPages, ElementsAre("/Documents/1/Pages/1.fpage"));
  EXPECT_THAT(inputs[0]->output->bytes,
              HasSubstr("<Canvas RenderTransform=\"1.000000,0.000000,0.000000,1.000000,37.796,"
                        "0.000\" Clip=\"M 0,0 L 793.76,0 L 793.76,1122.56 L 0, 1122.56 Z\">"));
  EXPECT_TRUE(inputs[0]->output->closed);
  EXPECT_FALSE(inputs[0]->Ticket());  // no tray separation: the page keeps its ticket
}

TEST_F(LayoutFilterTest, APosterOnATwoSidedJobPrintsEveryTileOnItsOwnSheetWithNoBacks) {
  ASSERT_EQ(Run(Duplex(u"TwoSidedLongEdge"), {1}, [](int) { return Poster(4); }), S_OK);
  ASSERT_THAT(consumer->PageKinds(),
              ElementsAre("LO_NUpPage", "LO_NUpPage", "LO_NUpPage", "LO_NUpPage"));
  const auto number = [&](std::size_t i) {
    return std::stol(consumer->sentPages[i].substr(std::string("/LO_NUpPage_").size()));
  };
  for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(number(i), number(i - 1) + 1);
  EXPECT_THAT(SheetMarkup(3), HasSubstr("RenderTransform=\"2.000000,0.000000,0.000000,2.000000,"));
}

// The first sheets come from the first tray; then a blank back side makes the next page start
// on a new sheet, unless the side count needs none or the user turns the stack by hand.
TEST_F(LayoutFilterTest, TraySeparationEndsTheFirstTrayPagesOnAWholeSheet) {
  const std::u16string separate = JobSetting(u"SeparateTrayMode", u"On");
  const std::u16string firstPaper =
      u"<psf:Property name=\"kx:JobDuplexData\"><psf:Property name=\"kx:TraySeparationMode\">"
      u"<psf:Value xsi:type=\"xsd:string\">DuplexPrintFirstPaper</psf:Value></psf:Property>"
      u"</psf:Property>";
  struct Case {
    const char* what;
    std::u16string ticket;
    std::vector<std::string> kinds;
  } cases[] = {
      {"one-sided", separate, {"/Documents/1/Pages/1.fpage", "/Documents/1/Pages/2.fpage"}},
      {"two-sided, first page",
       separate + Duplex(u"TwoSidedLongEdge"),
       {"LO_NUpPage", "LO_Empty", "LO_NUpPage", "LO_NUpPage"}},
      {"two-sided, first paper",
       separate + firstPaper + Duplex(u"TwoSidedLongEdge"),
       {"LO_NUpPage", "LO_NUpPage", "LO_NUpPage"}},
      {"manual duplex",
       separate + Duplex(u"TwoSidedLongEdge", u"Manual"),
       {"LO_NUpPage", "LO_NUpPage", "LO_NUpPage"}},
  };
  for (const Case& c : cases) {
    consumer = MakeComObject<LayoutConsumer>();
    inputs.clear();
    ASSERT_EQ(Run(c.ticket, {c.kinds.size() == 2 ? 2 : 3}), S_OK) << c.what;
    EXPECT_EQ(consumer->PageKinds(), c.kinds) << c.what;
  }
  // One-sided: the first page goes on with a ticket naming the first tray, the second keeps
  // its own.
  EXPECT_FALSE(inputs[1]->Ticket());
}

TEST_F(LayoutFilterTest, ANewDivisionClosesTheHalfFilledSheetAndPadsItsBack) {
  const auto divide = [](int page) {
    return JobSetting(u"DivideCondition", page == 1 ? u"A" : u"B");
  };
  ASSERT_EQ(Run(NUp(2) + Duplex(u"TwoSidedLongEdge"), {2}, divide), S_OK);
  EXPECT_THAT(consumer->PageKinds(), ElementsAre("LO_NUpPage", "LO_Empty", "LO_NUpPage"));
  EXPECT_EQ(Count(SheetMarkup(0), "<Canvas RenderTransform="), 1);
  const std::string blank = SheetMarkup(1);
  EXPECT_EQ(blank,
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><FixedPage Width=\"1122.53\" "
            "Height=\"793.71\" xml:lang=\"en-US\" "
            "xmlns=\"http://schemas.microsoft.com/xps/2005/06\"></FixedPage>");
}

// Pages without a ticket of their own share the work done on their ticket; a page with its own
// ticket among them must not take that work, nor give its own to the pages after it.
TEST_F(LayoutFilterTest, EverySheetTicketComesFromTheTicketOfItsOwnFirstPage) {
  const auto manualFifth = [](int page) {
    return page == 5 ? std::u16string(
                           u"<psf:Feature name=\"psk:PageInputBin\"><psf:Option "
                           u"name=\"psk:Manual\"/></psf:Feature>")
                     : std::u16string();
  };
  ASSERT_EQ(Run(NUp(4), {6, 6}, manualFifth), S_OK);
  ASSERT_EQ(consumer->sentPages.size(), 3u);
  const std::string first = SheetTicket(0);
  EXPECT_THAT(first, HasSubstr("psk:AutoSelect"));
  EXPECT_THAT(SheetTicket(1), HasSubstr("psk:Manual"));
  // The sheet after it, opened in the second document, is made as the first was.
  EXPECT_EQ(SheetTicket(2), first);
}

// The filter is lent the page ticket for reading, shared by the pages without a ticket of their
// own: turning the sheet, making sheet tickets and blank sides must all work on copies.
TEST_F(LayoutFilterTest, ThePageTicketSharedByPagesWithoutTicketsIsNeverChanged) {
  ASSERT_EQ(Run(NUp(2) + Duplex(u"TwoSidedLongEdge"), {3}), S_OK);
  ASSERT_EQ(consumer->sentPages.size(), 2u);
  EXPECT_THAT(SheetTicket(0), HasSubstr("psk:Landscape"));
  EXPECT_EQ(filter->TicketText(kPageScope), filter->TicketText(kDocumentScope));
}

TEST_F(LayoutFilterTest, FailuresEndTheJobAndSendNothingOfTheFailedSheet) {
  consumer->newPageFailure = E_OUTOFMEMORY;
  EXPECT_EQ(Run(NUp(4), {2}), E_OUTOFMEMORY);
  EXPECT_TRUE(consumer->sentPages.empty());

  // Markup that does not parse: the sheet it was drawn into is closed, not sent.
  consumer = MakeComObject<LayoutConsumer>();
  markup = "<FixedPage Width=\"10\"";
  EXPECT_TRUE(FAILED(Run(NUp(4), {1})));
  EXPECT_TRUE(consumer->sentPages.empty());
  ASSERT_EQ(consumer->pages.size(), 1u);
  EXPECT_TRUE(consumer->pages.begin()->second->output->closed);
}

}  // namespace
}  // namespace kx
