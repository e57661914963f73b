// Merging: the delta wins by feature (with its sub-features), ParameterInit and Property; the
// base keeps the rest; scope filtering; names compared by namespace, not prefix.
#include <gtest/gtest.h>

#include "ticket_fixture.h"

namespace kx::test {
namespace {

class MergeTest : public PrintTicketTest {};

constexpr const char* kNUp4BottomLeft =
    "<psf:Feature name='psk:JobNUpAllDocumentsContiguously'><psf:Option>"
    "<psf:ScoredProperty name='psk:PagesPerSheet'><psf:Value xsi:type='xsd:integer'>4"
    "</psf:Value></psf:ScoredProperty></psf:Option>"
    "<psf:Feature name='psk:PresentationDirection'><psf:Option name='psk:BottomLeft'/>"
    "</psf:Feature></psf:Feature>";

TEST_F(MergeTest, DefaultTicketValidatesAgainstTheCapabilitiesWithoutConflict) {
  const std::string defaults = ReadSourceDriverFile("default_ticket.xml");
  const Outcome outcome = Merge(defaults, std::nullopt);
  EXPECT_EQ(outcome.hr, S_PT_NO_CONFLICT) << outcome.xml;
  // Merging the defaults onto themselves changes nothing either.
  EXPECT_EQ(Merge(defaults, defaults).xml, outcome.xml);
  EXPECT_EQ(OptionOf(outcome.xml, "psk:PageMediaSize"), "psk:ISOA4");
}

TEST_F(MergeTest, DeltaWinsByFeatureParameterAndPropertyAndBaseKeepsTheRest) {
  const std::string base = Ticket(
      "<psf:Feature name='psk:JobNUpAllDocumentsContiguously'><psf:Option>"
      "<psf:ScoredProperty name='psk:PagesPerSheet'><psf:Value xsi:type='xsd:integer'>2"
      "</psf:Value></psf:ScoredProperty></psf:Option>"
      "<psf:Feature name='kx:BorderLine'><psf:Option name='kx:SolidLine'/></psf:Feature>"
      "</psf:Feature>"
      "<psf:Feature name='psk:PageOrientation'><psf:Option name='psk:Landscape'/></psf:Feature>"
      "<psf:ParameterInit name='psk:JobCopiesAllDocuments'><psf:Value xsi:type='xsd:integer'>2"
      "</psf:Value></psf:ParameterInit>"
      "<psf:Property name='kx:JobInfoData'><psf:Property name='kx:ComputerName'>"
      "<psf:Value xsi:type='xsd:string'>base</psf:Value></psf:Property></psf:Property>");
  const std::string delta = Ticket(
      std::string(kNUp4BottomLeft) +
      "<psf:ParameterInit name='psk:JobCopiesAllDocuments'><psf:Value xsi:type='xsd:integer'>3"
      "</psf:Value></psf:ParameterInit>"
      "<psf:Property name='kx:JobInfoData'><psf:Property name='kx:ComputerName'>"
      "<psf:Value xsi:type='xsd:string'>delta</psf:Value></psf:Property></psf:Property>"
      "<psf:Feature name='psk:PageMediaSize'><psf:Option name='psk:ISOA5'/></psf:Feature>");
  const Outcome outcome = Merge(base, delta);
  ASSERT_EQ(outcome.hr, S_PT_NO_CONFLICT) << outcome.error;
  const std::string& xml = outcome.xml;
  const std::string nup = "//psf:Feature[@name='psk:JobNUpAllDocumentsContiguously']";
  EXPECT_EQ(XPathText(xml, nup + "/psf:Option/psf:ScoredProperty/psf:Value"), "4");
  EXPECT_EQ(
      XPathText(xml, nup + "/psf:Feature[@name='psk:PresentationDirection']/psf:Option/@name"),
      "psk:BottomLeft");
  // The delta's feature replaced the base's whole, sub-features included: the base's SolidLine
  // is gone and the driver's default border takes its place.
  EXPECT_EQ(XPathText(xml, nup + "/psf:Feature[@name='kx:BorderLine']/psf:Option/@name"),
            "kx:None");
  EXPECT_EQ(XPathText(xml, "//psf:ParameterInit[@name='psk:JobCopiesAllDocuments']"), "3");
  EXPECT_EQ(XPathText(xml, "//psf:Property[@name='kx:ComputerName']"), "delta");
  EXPECT_EQ(XPathCount(xml, "//psf:Property[@name='kx:JobInfoData']"), 1);
  EXPECT_EQ(OptionOf(xml, "psk:PageOrientation"), "psk:Landscape");
  // A named option gains the dimensions the device gives it.
  EXPECT_EQ(XPathText(xml, "//psf:ScoredProperty[@name='psk:MediaSizeWidth']"), "148000");
}

TEST_F(MergeTest, NamesCompareByNamespaceWhateverPrefixTheTicketsChose) {
  const std::string delta =
      "<p:PrintTicket version='1' "
      "xmlns:p='http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework' "
      "xmlns:k='http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords' "
      "xmlns:priv='http://schemas.kexley.example/printing/2026/keywords'>"
      "<p:Feature name='k:PageOrientation'><p:Option name='k:Landscape'/></p:Feature>"
      "<p:Feature name='priv:PageReverseImage'><p:Option name='priv:On'/></p:Feature>"
      "</p:PrintTicket>";
  const Outcome outcome = MergeOntoDefault(delta);
  ASSERT_EQ(outcome.hr, S_PT_NO_CONFLICT) << outcome.error;
  EXPECT_EQ(XPathCount(outcome.xml, "//psf:Feature[@name='psk:PageOrientation']"), 1);
  EXPECT_EQ(OptionOf(outcome.xml, "psk:PageOrientation"), "psk:Landscape");
  EXPECT_EQ(OptionOf(outcome.xml, "kx:PageReverseImage"), "kx:On");
}

TEST_F(MergeTest, ResultKeepsOnlyTheSettingsOfTheScope) {
  const std::string delta = Ticket(
      "<psf:Feature name='psk:DocumentCollate'><psf:Option name='psk:Uncollated'/></psf:Feature>"
      "<psf:Feature name='psk:PageOrientation'><psf:Option name='psk:Landscape'/></psf:Feature>");
  struct Case {
    EPrintTicketScope scope;
    int jobSettings;
    bool documentCollate;
  };
  for (const Case& c : {Case{kPTPageScope, 0, false}, Case{kPTDocumentScope, 0, true},
                        Case{kPTJobScope, 1, true}}) {
    SCOPED_TRACE(c.scope);
    const Outcome outcome = Merge(ReadSourceDriverFile("default_ticket.xml"), delta, c.scope);
    ASSERT_TRUE(SUCCEEDED(outcome.hr)) << outcome.error;
    const std::string& xml = outcome.xml;
    EXPECT_EQ(XPathCount(xml, "/psf:PrintTicket/*[starts-with(@name, 'psk:Job')]") > 0,
              c.jobSettings > 0);
    EXPECT_EQ(OptionOf(xml, "psk:DocumentCollate") == "psk:Uncollated", c.documentCollate);
    EXPECT_EQ(OptionOf(xml, "psk:PageOrientation"), "psk:Landscape");
  }
}

TEST_F(MergeTest, ResultIsUtf8XmlWithTheSeekPointerAtItsEnd) {
  ComPtr<IStream> result = StreamOf("");
  const std::string defaults = ReadSourceDriverFile("default_ticket.xml");
  ASSERT_EQ(PTMergeAndValidatePrintTicket(provider_, StreamOf(defaults).Get(), nullptr, kPTJobScope,
                                          result.Get(), nullptr),
            S_PT_NO_CONFLICT);
  ULARGE_INTEGER position{};
  ASSERT_EQ(result->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &position), S_OK);
  const std::string xml = Contents(result.Get());
  EXPECT_EQ(position.QuadPart, xml.size());
  EXPECT_TRUE(xml.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << xml;
  // The private namespace is declared on the root, so readers find its prefix.
  EXPECT_NE(xml.find("xmlns:kx=\"http://schemas.kexley.example/printing/2026/keywords\""),
            std::string::npos);
}

TEST_F(MergeTest, BookletAskedWithoutDuplexTurnsTheInheritedDuplexToShortEdge) {
  const std::string booklet =
      "<psf:Feature name='psk:JobBindAllDocuments'><psf:Option name='psk:Booklet'/></psf:Feature>";
  const Outcome forced = MergeOntoDefault(Ticket(booklet));
  EXPECT_EQ(forced.hr, S_PT_CONFLICT_RESOLVED);
  EXPECT_EQ(OptionOf(forced.xml, "psk:JobDuplexAllDocumentsContiguously"), "psk:TwoSidedShortEdge");
  EXPECT_EQ(XPathText(forced.xml, "//psf:ScoredProperty[@name='psk:DuplexMode']"), "Automatic");

  // The user's own duplex choice stays; the layout filter settles that conflict.
  const Outcome kept =
      MergeOntoDefault(Ticket(booklet + "<psf:Feature name='psk:JobDuplexAllDocumentsContiguously'>"
                                        "<psf:Option name='psk:OneSided'/></psf:Feature>"));
  EXPECT_EQ(kept.hr, S_PT_NO_CONFLICT);
  EXPECT_EQ(OptionOf(kept.xml, "psk:JobDuplexAllDocumentsContiguously"), "psk:OneSided");
}

}  // namespace
}  // namespace kx::test
