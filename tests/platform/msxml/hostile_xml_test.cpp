// Malformed and hostile documents fail cleanly, through the SAX reader and the DOM alike.
#include <string>

#include "kx/utf16.h"
#include "xml_test_support.h"

namespace kx::test {
namespace {

struct BadDocument {
  const char* name;
  std::string xml;
};

std::string Nested(int depth) {
  std::string xml;
  for (int i = 0; i < depth; ++i) xml += "<a>";
  for (int i = 0; i < depth; ++i) xml += "</a>";
  return xml;
}

const BadDocument kBadDocuments[] = {
    {"empty", ""},
    {"unclosed element", "<a><b></a>"},
    {"text after the root", "<a/>b"},
    {"two roots", "<a/><b/>"},
    {"undeclared prefix", "<p:a/>"},
    {"undeclared attribute prefix", "<a p:b=\"1\"/>"},
    {"duplicate attribute", "<a b=\"1\" b=\"2\"/>"},
    {"undeclared entity", "<a>&secret;</a>"},
    {"bad UTF-8", "<a>\xC3\x28</a>"},
    {"entity expansion",
     "<!DOCTYPE a [<!ENTITY x \"xxxxxxxxxx\"><!ENTITY y \"&x;&x;&x;&x;&x;&x;&x;&x;\">"
     "<!ENTITY z \"&y;&y;&y;&y;&y;&y;&y;&y;\">]><a>&z;&z;&z;&z;</a>"},
    {"external entity", "<!DOCTYPE a [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><a>&e;</a>"},
    {"external DTD", "<!DOCTYPE a SYSTEM \"http://example.invalid/a.dtd\"><a/>"},
    {"deep nesting", Nested(300)},
    {"huge attribute", "<a b=\"" + std::string(11'000'000, 'x') + "\"/>"},
};

class HostileXmlTest : public XmlTest, public ::testing::WithParamInterface<BadDocument> {};

TEST_P(HostileXmlTest, FailsInTheSaxReaderAndTheDom) {
  const std::string& xml = GetParam().xml;

  auto reader = NewReader();
  auto stream = StreamOver(xml);
  EXPECT_TRUE(FAILED(reader->parse(UnknownVariant(stream.Get()))));

  auto dom = NewDom();
  VARIANT_BOOL loaded = VARIANT_TRUE;
  EXPECT_EQ(dom->load(UnknownVariant(StreamOver(xml).Get()), &loaded), S_FALSE);
  EXPECT_EQ(loaded, VARIANT_FALSE);
  ComPtr<IXMLDOMElement> root;
  EXPECT_EQ(dom->get_documentElement(root.ReleaseAndGetAddressOf()), S_FALSE);
}

INSTANTIATE_TEST_SUITE_P(Documents, HostileXmlTest, ::testing::ValuesIn(kBadDocuments),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name)
                             if (c == ' ' || c == '-') c = '_';
                           return name;
                         });

TEST_F(XmlTest, NestingUpToTheLimitIsAccepted) {
  auto reader = NewReader();
  EXPECT_EQ(reader->parse(UnknownVariant(StreamOver(Nested(256)).Get())), S_OK);
  auto dom = NewDom();
  VARIANT_BOOL loaded = VARIANT_FALSE;
  EXPECT_EQ(dom->load(UnknownVariant(StreamOver(Nested(256)).Get()), &loaded), S_OK);
}

}  // namespace
}  // namespace kx::test
