// Validation against the capabilities: what the device cannot do is replaced, dropped or
// brought into range and reported as S_PT_CONFLICT_RESOLVED; completing a ticket is not.
#include <gtest/gtest.h>

#include "ticket_fixture.h"

namespace kx::test {
namespace {

class ValidationTest : public PrintTicketTest {};

std::string IntegerInit(const std::string& name, const std::string& value) {
  return "<psf:ParameterInit name='" + name + "'><psf:Value xsi:type='xsd:integer'>" + value +
         "</psf:Value></psf:ParameterInit>";
}

std::string NUp(const std::string& pages) {
  return "<psf:Feature name='psk:JobNUpAllDocumentsContiguously'><psf:Option>"
         "<psf:ScoredProperty name='psk:PagesPerSheet'><psf:Value xsi:type='xsd:integer'>" +
         pages + "</psf:Value></psf:ScoredProperty></psf:Option></psf:Feature>";
}

TEST_F(ValidationTest, ReplacesDropsAndCorrectsWhatTheDeviceCannotDo) {
  struct Case {
    const char* what;
    std::string delta;
    HRESULT hr;
    std::string xpath;  // evaluated as a string on the result
    std::string expected;
  };
  const std::string orientation = "//psf:Feature[@name='psk:PageOrientation']/psf:Option/@name";
  const std::string nupPages =
      "//psf:Feature[@name='psk:JobNUpAllDocumentsContiguously']/psf:Option/psf:ScoredProperty";
  const Case cases[] = {
      {"unknown option takes the default",
       "<psf:Feature name='psk:PageOrientation'><psf:Option name='psk:Diagonal'/></psf:Feature>",
       S_PT_CONFLICT_RESOLVED, orientation, "psk:Portrait"},
      {"unknown feature is dropped",
       "<psf:Feature name='psk:PageStaple'><psf:Option name='psk:StapleTopLeft'/></psf:Feature>",
       S_PT_CONFLICT_RESOLVED, "count(//psf:Feature[@name='psk:PageStaple'])", "0"},
      {"unknown namespace is dropped",
       "<psf:Feature name='xsd:PageThing'><psf:Option name='psk:On'/></psf:Feature>",
       S_PT_CONFLICT_RESOLVED, "count(//psf:Feature[@name='xsd:PageThing'])", "0"},
      {"copies above the maximum", IntegerInit("psk:JobCopiesAllDocuments", "5000"),
       S_PT_CONFLICT_RESOLVED, "//psf:ParameterInit[@name='psk:JobCopiesAllDocuments']", "999"},
      {"copies below the minimum", IntegerInit("psk:JobCopiesAllDocuments", "-3"),
       S_PT_CONFLICT_RESOLVED, "//psf:ParameterInit[@name='psk:JobCopiesAllDocuments']", "1"},
      {"copies that are no number take the default", IntegerInit("psk:JobCopiesAllDocuments", "x2"),
       S_PT_CONFLICT_RESOLVED, "//psf:ParameterInit[@name='psk:JobCopiesAllDocuments']", "1"},
      {"parameter without definition is dropped", IntegerInit("psk:PageSomething", "1"),
       S_PT_CONFLICT_RESOLVED, "count(//psf:ParameterInit[@name='psk:PageSomething'])", "0"},
      {"pages per sheet the device offers", NUp("9"), S_PT_NO_CONFLICT, nupPages, "9"},
      {"pages per sheet it does not offer", NUp("3"), S_PT_CONFLICT_RESOLVED, nupPages, "1"},
      {"a poster size without a default drops the poster",
       "<psf:Feature name='psk:PagePoster'><psf:Option><psf:ScoredProperty "
       "name='psk:SheetsPerPage'><psf:Value xsi:type='xsd:integer'>2</psf:Value>"
       "</psf:ScoredProperty></psf:Option></psf:Feature>",
       S_PT_CONFLICT_RESOLVED, "count(//psf:Feature[@name='psk:PagePoster'])", "0"},
      {"a single-choice feature keeps its first option",
       "<psf:Feature name='psk:PageOrientation'><psf:Option name='psk:Landscape'/>"
       "<psf:Option name='psk:Portrait'/></psf:Feature>",
       S_PT_CONFLICT_RESOLVED, orientation, "psk:Landscape"},
      {"manual duplex is kept",
       "<psf:Feature name='psk:JobDuplexAllDocumentsContiguously'>"
       "<psf:Option name='psk:TwoSidedLongEdge'><psf:ScoredProperty name='psk:DuplexMode'>"
       "<psf:Value xsi:type='xsd:string'>Manual</psf:Value></psf:ScoredProperty></psf:Option>"
       "</psf:Feature>",
       S_PT_NO_CONFLICT, "//psf:ScoredProperty[@name='psk:DuplexMode']", "Manual"},
      {"private media name the device does not list",
       "<psf:Feature name='psk:PageMediaSize'><psf:Option name='kx:Banner'/></psf:Feature>",
       S_PT_CONFLICT_RESOLVED, "//psf:Feature[@name='psk:PageMediaSize']/psf:Option/@name",
       "psk:ISOA4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome outcome = MergeOntoDefault(Ticket(c.delta));
    EXPECT_EQ(outcome.hr, c.hr) << outcome.xml;
    EXPECT_EQ(XPathText(outcome.xml, c.xpath), c.expected);
  }
}

TEST_F(ValidationTest, CustomSizeParametersAreKeptWithinTheirDefinitions) {
  const std::string custom =
      "<psf:Feature name='psk:PageMediaSize'><psf:Option "
      "name='psk:CustomMediaSize'/></psf:Feature>";
  // Without ParameterInits the references get the defaults; out of range values are clamped.
  const Outcome defaults = MergeOntoDefault(Ticket(custom));
  EXPECT_EQ(defaults.hr, S_PT_NO_CONFLICT);
  EXPECT_EQ(XPathText(defaults.xml, "//psf:ParameterInit[@name='psk:PageMediaSizeMediaSizeWidth']"),
            "210000");
  EXPECT_EQ(XPathCount(defaults.xml,
                       "//psf:ScoredProperty[@name='psk:MediaSizeWidth']"
                       "/psf:ParameterRef[@name='psk:PageMediaSizeMediaSizeWidth']"),
            1);

  const Outcome clamped =
      MergeOntoDefault(Ticket(custom + IntegerInit("psk:PageMediaSizeMediaSizeWidth", "10") +
                              IntegerInit("psk:PageMediaSizeMediaSizeHeight", "200000")));
  EXPECT_EQ(clamped.hr, S_PT_CONFLICT_RESOLVED);
  EXPECT_EQ(XPathText(clamped.xml, "//psf:ParameterInit[@name='psk:PageMediaSizeMediaSizeWidth']"),
            "89000");
  EXPECT_EQ(XPathText(clamped.xml, "//psf:ParameterInit[@name='psk:PageMediaSizeMediaSizeHeight']"),
            "200000");
}

TEST_F(ValidationTest, AddsMissingFeaturesButNotAlternativesOfPresentOnes) {
  const Outcome outcome =
      Merge(Ticket("<psf:Feature name='psk:DocumentDuplex'><psf:Option name='psk:OneSided'/>"
                   "</psf:Feature>"),
            std::nullopt);
  EXPECT_EQ(outcome.hr, S_PT_NO_CONFLICT);
  EXPECT_EQ(OptionOf(outcome.xml, "psk:PageMediaSize"), "psk:ISOA4");
  EXPECT_EQ(OptionOf(outcome.xml, "psk:PageResolution"), "kx:Resolution600x600");
  EXPECT_EQ(XPathText(outcome.xml, "//psf:ParameterInit[@name='psk:JobCopiesAllDocuments']"), "1");
  EXPECT_EQ(OptionOf(outcome.xml, "psk:JobDuplexAllDocumentsContiguously"), "none");
}

}  // namespace
}  // namespace kx::test
