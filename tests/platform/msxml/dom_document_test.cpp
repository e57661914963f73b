#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "kx/scoped_variant.h"
#include "kx/utf16.h"
#include "xml_test_support.h"

namespace kx::test {
namespace {

constexpr char16_t kFramework[] =
    u"http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework";
constexpr char16_t kSchemaInstance[] = u"http://www.w3.org/2001/XMLSchema-instance";

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::u16string Text(BSTR text) { return {text ? text : u"", SysStringLen(text)}; }

std::u16string XmlOf(IXMLDOMNode* node) {
  UniqueBstr xml;
  EXPECT_EQ(node->get_xml(xml.ResetAndGetAddressOf()), S_OK);
  return Text(xml.Get());
}

std::u16string NameOf(IXMLDOMNode* node) {
  UniqueBstr name;
  node->get_nodeName(name.ResetAndGetAddressOf());
  return Text(name.Get());
}

class DomTest : public XmlTest {
 protected:
  void SetUp() override {
    XmlTest::SetUp();
    dom = NewDom();
  }

  // The job ticket of a real document, with psf declared for XPath.
  void LoadTicket() {
    auto stream = StreamOver(ReadFile(KX_XML_TEST_DATA "/aspose_job_ticket.xml"));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    ASSERT_EQ(dom->load(UnknownVariant(stream.Get()), &loaded), S_OK);
    ASSERT_EQ(loaded, VARIANT_TRUE);
    UniqueBstr language = Bstr(u"XPath");
    UniqueBstr namespaces = Bstr(u"xmlns:psf='" + std::u16string(kFramework) + u"'");
    ASSERT_EQ(dom->setProperty(Bstr(u"SelectionLanguage").Get(), TextVariant(language.Get())),
              S_OK);
    ASSERT_EQ(dom->setProperty(Bstr(u"SelectionNamespaces").Get(), TextVariant(namespaces.Get())),
              S_OK);
  }

  ComPtr<IXMLDOMNode> Select(std::u16string_view path) {
    ComPtr<IXMLDOMNode> node;
    EXPECT_EQ(dom->selectSingleNode(Bstr(path).Get(), node.ReleaseAndGetAddressOf()), S_OK);
    return node;
  }

  ComPtr<IXMLDOMDocument2> dom;
};

TEST_F(DomTest, SelectsUnionsInDocumentOrderOnARealTicket) {
  LoadTicket();
  // The option-or-value query of the ticket readers: the unnamed Option comes first.
  const std::u16string feature = u"//psf:Feature[@name = \"psk:JobOutputBin\"]";
  ComPtr<IXMLDOMNodeList> nodes;
  ASSERT_EQ(dom->selectNodes(Bstr(feature + u"/psf:Option | " + feature +
                                  u"/psf:ScoredProperty[@name = \"psk:OptionName\"]/psf:Value")
                                 .Get(),
                             nodes.ReleaseAndGetAddressOf()),
            S_OK);
  LONG length = 0;
  nodes->get_length(&length);
  ASSERT_GE(length, 1);
  ComPtr<IXMLDOMNode> first;
  ASSERT_EQ(nodes->nextNode(first.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(NameOf(first.Get()), u"psf:Option");

  UniqueBstr value;
  auto binType = Select(
      u"//psf:Feature[@name='psk:JobInputBin']/psf:Option/"
      u"psf:ScoredProperty[@name='psk:MediaSheetCapacity']/psf:Value");
  ASSERT_TRUE(binType);
  binType->get_text(value.ResetAndGetAddressOf());
  EXPECT_EQ(Text(value.Get()), u"100");

  ComPtr<IXMLDOMNode> none;
  EXPECT_EQ(dom->selectSingleNode(Bstr(u"//psf:Feature[@name='psk:Nothing']").Get(),
                                  none.ReleaseAndGetAddressOf()),
            S_FALSE);
  EXPECT_FALSE(none);
  EXPECT_TRUE(
      FAILED(dom->selectSingleNode(Bstr(u"//psk:Feature").Get(), none.ReleaseAndGetAddressOf())));
  EXPECT_TRUE(
      FAILED(dom->selectNodes(Bstr(u"//psf:Feature[").Get(), nodes.ReleaseAndGetAddressOf())));
}

// The name attributes of what a query selects, in the order it gives them.
std::vector<std::u16string> SelectedNames(IXMLDOMDocument2* dom, std::u16string_view path) {
  std::vector<std::u16string> names;
  ComPtr<IXMLDOMNodeList> nodes;
  EXPECT_EQ(dom->selectNodes(Bstr(path).Get(), nodes.ReleaseAndGetAddressOf()), S_OK)
      << Utf16ToUtf8(path);
  if (!nodes) return names;
  ComPtr<IXMLDOMNode> node;
  while (nodes->nextNode(node.ReleaseAndGetAddressOf()) == S_OK && node) {
    ComPtr<IXMLDOMElement> element;
    ScopedVariant name;
    if (SUCCEEDED(node.As(element)) &&
        element->getAttribute(Bstr(u"name").Get(), name.Out()) == S_OK)
      names.emplace_back(name.Get().bstrVal, SysStringLen(name.Get().bstrVal));
  }
  return names;
}

TEST_F(DomTest, SelectsNestedStepsAndUnionsOnceEachInDocumentOrder) {
  // Two prefixes for one namespace, nesting, and names that repeat.
  VARIANT_BOOL loaded = VARIANT_FALSE;
  ASSERT_EQ(dom->loadXML(Bstr(u"<a:Root xmlns:a='urn:x' xmlns:b='urn:x'>"
                              u"<a:F name='one'><b:O name='o1'/>"
                              u"<a:F name='two'><a:O name='o2'/></a:F></a:F>"
                              u"<b:F name='two'><a:O name='o3'/></b:F><O name='plain'/>"
                              u"</a:Root>")
                             .Get(),
                         &loaded),
            S_OK);
  ASSERT_EQ(loaded, VARIANT_TRUE);
  ASSERT_EQ(dom->setProperty(Bstr(u"SelectionNamespaces").Get(),
                             TextVariant(Bstr(u"xmlns:p='urn:x'").Get())),
            S_OK);
  using Names = std::vector<std::u16string>;
  EXPECT_EQ(SelectedNames(dom.Get(), u"//p:F[@name = \"two\"]//p:O"), (Names{u"o2", u"o3"}));
  EXPECT_EQ(SelectedNames(dom.Get(), u"//p:F[@name = \"one\"]//p:O | //p:F[@name = \"two\"]/p:O"),
            (Names{u"o1", u"o2", u"o3"}));
  EXPECT_EQ(SelectedNames(dom.Get(), u"//p:O | //p:O"), (Names{u"o1", u"o2", u"o3"}));
  EXPECT_EQ(SelectedNames(dom.Get(), u"//p:F[@name = 'one']/p:F/p:O"), (Names{u"o2"}));
  EXPECT_EQ(SelectedNames(dom.Get(), u"//p:F[@name = \"none\"]//p:O"), Names{});

  // The first in document order: the inner F named two, not the later one.
  auto first = Select(u"//p:F[@name = \"two\"]");
  ASSERT_TRUE(first);
  EXPECT_EQ(NameOf(first.Get()), u"a:F");
  ComPtr<IXMLDOMNode> parent;
  ASSERT_EQ(first->get_parentNode(parent.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(NameOf(parent.Get()), u"a:F");
}

TEST_F(DomTest, ADeepCloneOfTheDocumentIsAnIndependentDocumentWithTheSameXml) {
  LoadTicket();
  ComPtr<IXMLDOMNode> node;
  ASSERT_EQ(dom->cloneNode(VARIANT_TRUE, node.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IXMLDOMDocument2> clone;
  ASSERT_EQ(node.As(clone), S_OK);
  const std::u16string original = XmlOf(dom.Get());
  EXPECT_EQ(XmlOf(clone.Get()), original);

  ComPtr<IXMLDOMElement> root;
  ASSERT_EQ(clone->get_documentElement(root.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IXMLDOMNode> first, removed;
  ASSERT_EQ(root->get_firstChild(first.ReleaseAndGetAddressOf()), S_OK);
  ASSERT_EQ(root->removeChild(first.Get(), removed.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_NE(XmlOf(clone.Get()), original);
  EXPECT_EQ(XmlOf(dom.Get()), original);
}

TEST_F(DomTest, ShowsTheRootNamespaceDeclarationsAsAttributesInDocumentOrder) {
  LoadTicket();
  auto root = Select(u"//psf:PrintTicket");
  ComPtr<IXMLDOMNamedNodeMap> attributes;
  ASSERT_EQ(root->get_attributes(attributes.ReleaseAndGetAddressOf()), S_OK);
  std::vector<std::u16string> names;
  ComPtr<IXMLDOMNode> attribute;
  attributes->reset();
  while (attributes->nextNode(attribute.ReleaseAndGetAddressOf()) == S_OK)
    names.push_back(NameOf(attribute.Get()));
  const std::vector<std::u16string> expected = {u"xmlns:psf", u"xmlns:psk",    u"xmlns:xsi",
                                                u"xmlns:xsd", u"xmlns:ns0000", u"version"};
  EXPECT_EQ(names, expected);

  ComPtr<IXMLDOMNode> xsi;
  ASSERT_EQ(attributes->getNamedItem(Bstr(u"xmlns:xsi").Get(), xsi.ReleaseAndGetAddressOf()), S_OK);
  UniqueBstr uri;
  xsi->get_text(uri.ResetAndGetAddressOf());
  EXPECT_EQ(Text(uri.Get()), kSchemaInstance);
}

TEST_F(DomTest, BuildsNamespacedElementsThatFitTheDocument) {
  LoadTicket();
  auto root = Select(u"//psf:PrintTicket");
  VARIANT elementType;
  VariantInit(&elementType);
  elementType.vt = VT_I4;
  elementType.lVal = NODE_ELEMENT;
  ComPtr<IXMLDOMNode> feature;
  ASSERT_EQ(dom->createNode(elementType, Bstr(u"psf:Feature").Get(), Bstr(kFramework).Get(),
                            feature.ReleaseAndGetAddressOf()),
            S_OK);
  ComPtr<IXMLDOMElement> element;
  ASSERT_EQ(feature.As(element), S_OK);
  UniqueBstr name = Bstr(u"psk:Test<&>\"");
  ASSERT_EQ(element->setAttribute(Bstr(u"name").Get(), TextVariant(name.Get())), S_OK);

  VARIANT attributeType = elementType;
  attributeType.lVal = NODE_ATTRIBUTE;
  ComPtr<IXMLDOMNode> type;
  ASSERT_EQ(dom->createNode(attributeType, Bstr(u"xsi:type").Get(), Bstr(kSchemaInstance).Get(),
                            type.ReleaseAndGetAddressOf()),
            S_OK);
  UniqueBstr typeName = Bstr(u"xsd:integer");
  ASSERT_EQ(type->put_nodeValue(TextVariant(typeName.Get())), S_OK);
  ComPtr<IXMLDOMAttribute> typeAttribute;
  ASSERT_EQ(type.As(typeAttribute), S_OK);
  ASSERT_EQ(element->setAttributeNode(typeAttribute.Get(), nullptr), S_OK);
  ASSERT_EQ(element->put_text(Bstr(u"5 & 6").Get()), S_OK);
  ASSERT_EQ(root->appendChild(feature.Get(), nullptr), S_OK);

  // The declarations of the root serve: the new element repeats none of them.
  EXPECT_EQ(XmlOf(feature.Get()),
            u"<psf:Feature name=\"psk:Test&lt;&amp;&gt;&quot;\" xsi:type=\"xsd:integer\">5 &amp; "
            u"6</psf:Feature>");
  auto found = Select(u"//psf:Feature[@name='psk:Test<&>\"']");
  VARIANT typed;
  ASSERT_EQ(found->get_nodeTypedValue(&typed), S_OK);
  EXPECT_EQ(Text(typed.bstrVal), u"5 & 6");
  VariantClear(&typed);

  ComPtr<IXMLDOMNode> clone;
  ASSERT_EQ(found->cloneNode(VARIANT_TRUE, clone.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IXMLDOMNode> removed;
  ASSERT_EQ(root->removeChild(found.Get(), removed.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(dom->selectSingleNode(Bstr(u"//psf:Feature[@name='psk:Test<&>\"']").Get(),
                                  found.ReleaseAndGetAddressOf()),
            S_FALSE);
  ComPtr<IXMLDOMNode> parent;
  EXPECT_EQ(removed->get_parentNode(parent.ReleaseAndGetAddressOf()), S_FALSE);
  EXPECT_EQ(root->appendChild(clone.Get(), nullptr), S_OK);
  EXPECT_TRUE(Select(u"//psf:Feature[@name='psk:Test<&>\"']"));
  // A node cannot become its own descendant.
  EXPECT_TRUE(FAILED(clone->appendChild(root.Get(), nullptr)));
}

TEST_F(DomTest, ItsStreamGivesItsXmlAndLoadsWhatIsWrittenIntoIt) {
  LoadTicket();
  ComPtr<IStream> source;
  ASSERT_EQ(dom.As(source), S_OK);
  std::string bytes(8192, '\0');
  ULONG read = 0;
  ASSERT_EQ(source->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read), S_OK);
  bytes.resize(read);
  EXPECT_TRUE(bytes.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

  auto copy = NewDom();
  ComPtr<IStream> target;
  ASSERT_EQ(copy.As(target), S_OK);
  ASSERT_EQ(target->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr), S_OK);
  LARGE_INTEGER start{};
  ASSERT_EQ(target->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(XmlOf(copy.Get()), XmlOf(dom.Get()));

  ASSERT_EQ(target->Write("<broken", 7, nullptr), S_OK);
  EXPECT_TRUE(FAILED(target->Seek(start, STREAM_SEEK_SET, nullptr)));
}

TEST_F(DomTest, NodesOutliveTheirRemovalAndTheirDocumentReference) {
  UniqueBstr xml = Bstr(u"<a><b>text</b></a>");
  VARIANT_BOOL loaded = VARIANT_FALSE;
  ASSERT_EQ(dom->loadXML(xml.Get(), &loaded), S_OK);
  auto b = Select(u"/a/b");
  ComPtr<IXMLDOMElement> a;
  ASSERT_EQ(dom->get_documentElement(a.ReleaseAndGetAddressOf()), S_OK);
  ASSERT_EQ(a->removeChild(b.Get(), nullptr), S_OK);
  ASSERT_EQ(dom->loadXML(Bstr(u"<c/>").Get(), &loaded), S_OK);
  dom.Reset();
  a.Reset();
  EXPECT_EQ(XmlOf(b.Get()), u"<b>text</b>");
}

TEST_F(DomTest, FreesUnattachedNodesThatHoldOtherUnattachedNodes) {
  // Each of these was once without a parent; some end up inside others.
  std::vector<ComPtr<IXMLDOMElement>> elements(6);
  for (auto& element : elements)
    ASSERT_EQ(dom->createElement(Bstr(u"e").Get(), element.ReleaseAndGetAddressOf()), S_OK);
  for (std::size_t i = 1; i < elements.size(); ++i)
    ASSERT_EQ(elements[i - 1]->appendChild(elements[i].Get(), nullptr), S_OK);
  ASSERT_EQ(elements[2]->removeChild(elements[3].Get(), nullptr), S_OK);
  ASSERT_EQ(elements[0]->appendChild(elements[3].Get(), nullptr), S_OK);
  EXPECT_EQ(XmlOf(elements[0].Get()), u"<e><e><e/></e><e><e><e/></e></e></e>");
}

}  // namespace
}  // namespace kx::test
