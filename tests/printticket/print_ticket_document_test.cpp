#include "print_ticket_document.h"

#include <gtest/gtest.h>

#include "cxd_exception.h"
#include "ticket_fixture.h"

namespace kx {
namespace {

using test::ComApartmentTest;
using test::kPrivateNamespace;
using test::LoadTicketDom;
using test::TicketXml;

constexpr char16_t kMediaSizeA4[] =
    u"<psf:Feature name=\"psk:PageMediaSize\"><psf:Option name=\"psk:ISOA4\">"
    u"<psf:ScoredProperty name=\"psk:MediaSizeWidth\">"
    u"<psf:Value xsi:type=\"xsd:integer\">210000</psf:Value></psf:ScoredProperty>"
    u"</psf:Option></psf:Feature>";

class PrintTicketDocumentTest : public ComApartmentTest {
 protected:
  // Keeps the DOM alive beside the document made on it.
  PrintTicketDocument& Open(const std::u16string& xml, TicketRoot root = TicketRoot::PrintTicket) {
    dom = LoadTicketDom(xml);
    document = std::make_unique<PrintTicketDocument>(root, kPrivateNamespace, dom.Get());
    return *document;
  }

  ComPtr<IXMLDOMDocument2> dom;
  std::unique_ptr<PrintTicketDocument> document;
};

TEST_F(PrintTicketDocumentTest, DiscoversThePrefixesTheDocumentUses) {
  auto& ticket = Open(TicketXml(kMediaSizeA4));
  EXPECT_EQ(ticket.FrameworkPrefix(), u"psf:");
  EXPECT_EQ(ticket.KeywordsPrefix(), u"psk:");
  EXPECT_EQ(ticket.SchemaInstancePrefix(), u"xsi:");
  EXPECT_EQ(ticket.SchemaPrefix(), u"xsd:");
  EXPECT_EQ(ticket.PrivatePrefix(), u"kx:");
  EXPECT_FALSE(ticket.IsCapabilities());
}

TEST_F(PrintTicketDocumentTest, WorksWithAnotherFrameworkPrefix) {
  const std::u16string xml =
      u"<p:PrintTicket version=\"1\""
      u" xmlns:p=\"http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework\""
      u" xmlns:k=\"http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords\">"
      u"<p:Feature name=\"k:PageOrientation\"><p:Option name=\"k:Landscape\"/></p:Feature>"
      u"</p:PrintTicket>";
  auto& ticket = Open(xml);
  EXPECT_EQ(ticket.FrameworkPrefix(), u"p:");
  ComPtr<IXMLDOMNode> root;
  EXPECT_EQ(ticket.SelectRoot(&root), S_OK);
  std::u16string option;
  EXPECT_EQ(ticket.GetFeatureOption(ticket.KeywordsPrefix(), u"PageOrientation", &option, nullptr),
            S_OK);
  EXPECT_EQ(option, u"Landscape");
  // Undeclared namespaces have empty prefixes.
  EXPECT_EQ(ticket.PrivatePrefix(), u"");
  EXPECT_EQ(ticket.SchemaPrefix(), u"");
}

TEST_F(PrintTicketDocumentTest, TheFirstDeclarationOfANamespaceWins) {
  const std::u16string xml =
      u"<psf:PrintTicket version=\"1\""
      u" xmlns:psf=\"http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework\""
      u" xmlns:a=\"http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords\""
      u" xmlns:b=\"http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords\"/>";
  EXPECT_EQ(Open(xml).KeywordsPrefix(), u"a:");
}

TEST_F(PrintTicketDocumentTest, RefusesNamespacesBoundAsTheDefault) {
  const std::u16string frameworkAsDefault =
      u"<PrintTicket version=\"1\""
      u" xmlns=\"http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework\"/>";
  dom = LoadTicketDom(frameworkAsDefault);
  try {
    PrintTicketDocument ticket(TicketRoot::PrintTicket, kPrivateNamespace, dom.Get());
    FAIL() << "opened";
  } catch (const CXDException& error) {
    EXPECT_EQ(error.hr, E_FAIL);
  }
  try {
    PrintTicketDocument ticket(TicketRoot::PrintTicket, kPrivateNamespace, nullptr);
    FAIL() << "opened";
  } catch (const CXDException& error) {
    EXPECT_EQ(error.hr, E_PENDING);
  }
}

struct OptionCase {
  const char* description;
  std::u16string_view body;
  bool wantPrivate;
  HRESULT result;
  std::u16string_view option;
  bool isPrivate;
};

TEST_F(PrintTicketDocumentTest, ReadsTheOptionOfAFeature) {
  const OptionCase cases[] = {
      {"keywords option", kMediaSizeA4, true, S_OK, u"ISOA4", false},
      {"private option with the flag",
       u"<psf:Feature name=\"psk:PageMediaSize\"><psf:Option name=\"kx:Postcard\"/></psf:Feature>",
       true, S_OK, u"Postcard", true},
      {"private option without the flag keeps its prefix",
       u"<psf:Feature name=\"psk:PageMediaSize\"><psf:Option name=\"kx:Postcard\"/></psf:Feature>",
       false, S_OK, u"kx:Postcard", false},
      {"a prefix of neither namespace stays",
       u"<psf:Feature name=\"psk:PageMediaSize\"><psf:Option name=\"other:A4\"/></psf:Feature>",
       true, S_OK, u"other:A4", false},
      {"option given as OptionName value",
       u"<psf:Feature name=\"psk:PageMediaSize\"><psf:ScoredProperty name=\"psk:OptionName\">"
       u"<psf:Value "
       u"xsi:type=\"xsd:string\">psk:ISOA5</psf:Value></psf:ScoredProperty></psf:Feature>",
       false, S_OK, u"ISOA5", false},
      {"an unnamed option comes first and its text is taken",
       u"<psf:Feature name=\"psk:PageMediaSize\"><psf:Option>psk:ISOA3</psf:Option>"
       u"<psf:ScoredProperty name=\"psk:OptionName\"><psf:Value>psk:ISOA5</psf:Value>"
       u"</psf:ScoredProperty></psf:Feature>",
       false, S_OK, u"ISOA3", false},
      {"absent feature", u"", false, kElementNotFound, u"", false},
      {"empty option", u"<psf:Feature name=\"psk:PageMediaSize\"><psf:Option/></psf:Feature>",
       false, kElementNotFound, u"", false},
  };
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(c.description);
    auto& ticket = Open(TicketXml(c.body));
    std::u16string option;
    bool isPrivate = false;
    EXPECT_EQ(ticket.GetFeatureOption(ticket.KeywordsPrefix(), u"PageMediaSize", &option,
                                      c.wantPrivate ? &isPrivate : nullptr),
              c.result);
    if (c.result == S_OK) {
      EXPECT_EQ(option, c.option);
      EXPECT_EQ(isPrivate, c.isPrivate);
    }
  }
}

TEST_F(PrintTicketDocumentTest, AnUndeclaredPrivateNamespaceClaimsNoName) {
  const std::u16string xml =
      u"<psf:PrintTicket version=\"1\""
      u" xmlns:psf=\"http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework\""
      u" xmlns:psk=\"http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords\">"
      u"<psf:Feature name=\"psk:PageMediaSize\"><psf:Option name=\"psk:ISOA4\"/></psf:Feature>"
      u"</psf:PrintTicket>";
  auto& ticket = Open(xml);
  std::u16string option;
  bool isPrivate = true;
  EXPECT_EQ(ticket.GetFeatureOption(ticket.KeywordsPrefix(), u"PageMediaSize", &option, &isPrivate),
            S_OK);
  EXPECT_EQ(option, u"ISOA4");
  EXPECT_FALSE(isPrivate);
}

TEST_F(PrintTicketDocumentTest, ReadsSubFeatureOptions) {
  auto& ticket = Open(TicketXml(
      u"<psf:Feature name=\"psk:JobNUpAllDocumentsContiguously\"><psf:Option/>"
      u"<psf:Feature name=\"psk:PresentationDirection\"><psf:Option name=\"psk:BottomLeft\"/>"
      u"</psf:Feature><psf:Feature name=\"kx:BorderLine\"><psf:Option name=\"kx:SolidLine\"/>"
      u"</psf:Feature></psf:Feature>"));
  std::u16string option;
  EXPECT_EQ(ticket.GetSubFeatureOption(ticket.KeywordsPrefix(), u"JobNUpAllDocumentsContiguously",
                                       ticket.KeywordsPrefix(), u"PresentationDirection", &option,
                                       nullptr),
            S_OK);
  EXPECT_EQ(option, u"BottomLeft");
  bool isPrivate = false;
  EXPECT_EQ(ticket.GetSubFeatureOption(ticket.KeywordsPrefix(), u"JobNUpAllDocumentsContiguously",
                                       ticket.PrivatePrefix(), u"BorderLine", &option, &isPrivate),
            S_OK);
  EXPECT_EQ(option, u"SolidLine");
  EXPECT_TRUE(isPrivate);
  EXPECT_EQ(ticket.GetSubFeatureOption(ticket.KeywordsPrefix(), u"", ticket.KeywordsPrefix(),
                                       u"PresentationDirection", &option, nullptr),
            E_INVALIDARG);
}

TEST_F(PrintTicketDocumentTest, ResolvesParameterReferences) {
  auto& ticket = Open(TicketXml(
      u"<psf:Feature name=\"psk:PageMediaSize\"><psf:Option name=\"psk:CustomMediaSize\">"
      u"<psf:ScoredProperty name=\"psk:MediaSizeWidth\">"
      u"<psf:ParameterRef name=\"psk:PageMediaSizeMediaSizeWidth\"/></psf:ScoredProperty>"
      u"<psf:ScoredProperty name=\"psk:MediaSizeHeight\">"
      u"<psf:ParameterRef name=\"psk:PageMediaSizeMediaSizeHeight\"/></psf:ScoredProperty>"
      u"</psf:Option></psf:Feature>"
      u"<psf:ParameterInit name=\"psk:PageMediaSizeMediaSizeWidth\">"
      u"<psf:Value xsi:type=\"xsd:integer\">100000</psf:Value></psf:ParameterInit>"));
  int value = 0;
  EXPECT_EQ(ticket.GetScoredPropertyInt(u"PageMediaSize", u"MediaSizeWidth", &value), S_OK);
  EXPECT_EQ(value, 100000);
  // The height's ParameterInit is missing.
  EXPECT_EQ(ticket.GetScoredPropertyInt(u"PageMediaSize", u"MediaSizeHeight", &value),
            kElementNotFound);
  EXPECT_EQ(ticket.GetScoredPropertyInt(u"PageMediaSize", u"Nothing", &value), kElementNotFound);
}

TEST(TicketInteger, ReadsLikeTheCLibrary) {
  const std::pair<std::u16string_view, int> cases[] = {
      {u"42", 42},
      {u"  -7", -7},
      {u"+5", 5},
      {u"12abc", 12},
      {u"abc", 0},
      {u"", 0},
      {u"99999999999", INT_MAX},
      {u"-99999999999", INT_MIN},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseTicketInteger(text), value);
}

TEST_F(PrintTicketDocumentTest, DeletesEveryMatchingFeatureWithItsParameters) {
  auto& ticket = Open(TicketXml(
      u"<psf:Feature name=\"psk:JobBindAllDocuments\"><psf:Option name=\"psk:BindLeft\">"
      u"<psf:ScoredProperty name=\"psk:BindingGutter\">"
      u"<psf:ParameterRef name=\"psk:JobBindAllDocumentsGutter\"/></psf:ScoredProperty>"
      u"</psf:Option></psf:Feature>"
      u"<psf:Feature name=\"psk:JobBindAllDocuments\"><psf:Option name=\"psk:BindTop\">"
      u"<psf:ScoredProperty name=\"psk:BindingGutter\">"
      u"<psf:ParameterRef name=\"psk:Second\"/></psf:ScoredProperty></psf:Option></psf:Feature>"
      u"<psf:ParameterInit name=\"psk:JobBindAllDocumentsGutter\"><psf:Value>1</psf:Value>"
      u"</psf:ParameterInit><psf:ParameterInit name=\"psk:Second\"><psf:Value>2</psf:Value>"
      u"</psf:ParameterInit><psf:ParameterInit name=\"psk:Other\"><psf:Value>3</psf:Value>"
      u"</psf:ParameterInit>"));
  EXPECT_EQ(ticket.DeleteFeature(u"JobBindAllDocuments"), S_FALSE);
  EXPECT_EQ(ticket.FeatureExists(u"JobBindAllDocuments"), kElementNotFound);
  EXPECT_EQ(ticket.NodeExists(u"//psf:ParameterInit[@name = \"psk:JobBindAllDocumentsGutter\"]"),
            kElementNotFound);
  EXPECT_EQ(ticket.NodeExists(u"//psf:ParameterInit[@name = \"psk:Second\"]"), kElementNotFound);
  EXPECT_EQ(ticket.NodeExists(u"//psf:ParameterInit[@name = \"psk:Other\"]"), S_OK);

  EXPECT_EQ(ticket.DeleteParameterInit(u"Other"), S_OK);
  EXPECT_EQ(ticket.DeleteParameterInit(u"Other"), S_FALSE);
}

TEST_F(PrintTicketDocumentTest, CreatedElementsReadBack) {
  auto& ticket = Open(TicketXml(u""));
  ComPtr<IXMLDOMNode> root;
  ASSERT_EQ(ticket.SelectRoot(&root), S_OK);

  PrintTicketDocument::Element feature, option, width, reference, init, data, code;
  ASSERT_EQ(ticket.SetFeatureOption(false, u"PageMediaSize", true, u"Postcard", &feature, &option),
            S_OK);
  ASSERT_EQ(
      ticket.CreateIntegerParameter(u"PageMediaSizeMediaSizeWidth", -100000, &reference, &init),
      S_OK);
  ASSERT_EQ(ticket.CreateRefScoredProperty(ticket.KeywordsPrefix(), u"MediaSizeWidth",
                                           reference.Get(), &width),
            S_OK);
  ComPtr<IXMLDOMNode> appended;
  ASSERT_EQ(option->appendChild(width.Get(), appended.ReleaseAndGetAddressOf()), S_OK);
  ASSERT_EQ(root->appendChild(feature.Get(), appended.ReleaseAndGetAddressOf()), S_OK);
  ASSERT_EQ(root->appendChild(init.Get(), appended.ReleaseAndGetAddressOf()), S_OK);
  ASSERT_EQ(ticket.CreateProperty(ticket.PrivatePrefix(), u"JobInfoData", &data), S_OK);
  ASSERT_EQ(ticket.CreateIntegerProperty(ticket.PrivatePrefix(), u"CodePage", 932, &code), S_OK);
  ASSERT_EQ(data->appendChild(code.Get(), appended.ReleaseAndGetAddressOf()), S_OK);
  ASSERT_EQ(root->appendChild(data.Get(), appended.ReleaseAndGetAddressOf()), S_OK);

  std::u16string name;
  bool isPrivate = false;
  EXPECT_EQ(ticket.GetFeatureOption(ticket.KeywordsPrefix(), u"PageMediaSize", &name, &isPrivate),
            S_OK);
  EXPECT_EQ(name, u"Postcard");
  EXPECT_TRUE(isPrivate);
  int value = 0;
  EXPECT_EQ(ticket.GetScoredPropertyInt(u"PageMediaSize", u"MediaSizeWidth", &value), S_OK);
  EXPECT_EQ(value, -100000);
  TicketQuery query = ticket.NewQuery();
  ASSERT_EQ(query.AddProperty(ticket.PrivatePrefix(), u"CodePage"), S_OK);
  EXPECT_EQ(ticket.GetValueInt(query.Path(), &value), S_OK);
  EXPECT_EQ(value, 932);
  // The value is typed with the document's schema prefixes.
  EXPECT_NE(test::DomXml(dom.Get()).find(u"xsi:type=\"xsd:integer\""), std::u16string::npos);
}

TEST_F(PrintTicketDocumentTest, OptionsInCapabilitiesAreMarkedConstrained) {
  auto& capabilities =
      Open(TicketXml(u"", u"psf:PrintCapabilities"), TicketRoot::PrintCapabilities);
  EXPECT_TRUE(capabilities.IsCapabilities());
  PrintTicketDocument::Element option;
  ASSERT_EQ(capabilities.CreateOption(capabilities.KeywordsPrefix(), u"ISOA4", &option), S_OK);
  std::u16string constrained;
  EXPECT_EQ(capabilities.GetAttribute(option.Get(), u"constrained", &constrained), S_OK);
  EXPECT_EQ(constrained, u"psk:None");

  auto& ticket = Open(TicketXml(u""));
  ASSERT_EQ(ticket.CreateOption(ticket.KeywordsPrefix(), u"ISOA4", &option), S_OK);
  EXPECT_EQ(ticket.GetAttribute(option.Get(), u"constrained", &constrained), S_FALSE);
}

TEST_F(PrintTicketDocumentTest, SelectionReportsItsArguments) {
  auto& ticket = Open(TicketXml(kMediaSizeA4));
  ComPtr<IXMLDOMNode> node;
  EXPECT_EQ(ticket.SelectNode(u"", &node), E_INVALIDARG);
  EXPECT_EQ(ticket.SelectNode(u"//psf:Nothing", &node), S_FALSE);
  EXPECT_EQ(ticket.SelectNode(u"//psf:Feature", nullptr), E_POINTER);
  ComPtr<IXMLDOMNodeList> nodes;
  EXPECT_EQ(ticket.SelectNodes(u"", &nodes), E_FAIL);
  EXPECT_EQ(ticket.NodeExists(u""), E_INVALIDARG);
  EXPECT_EQ(ticket.RemoveNode(nullptr), E_POINTER);
}

}  // namespace
}  // namespace kx
