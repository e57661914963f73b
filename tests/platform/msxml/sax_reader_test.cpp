#include <algorithm>
#include <string>
#include <vector>

#include "kx/utf16.h"
#include "xml_test_support.h"

namespace kx::test {
namespace {

std::string Narrow(const WCHAR* text, int length) {
  return Utf16ToUtf8({text, static_cast<std::size_t>(std::max(length, 0))});
}

// Writes every event as one line; can fail the Nth startElement.
class RecordingHandler final : public ComObject<ISAXContentHandler> {
 public:
  HRESULT STDMETHODCALLTYPE putDocumentLocator(ISAXLocator*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE startDocument() override { return Log("startDocument"); }
  HRESULT STDMETHODCALLTYPE endDocument() override { return Log("endDocument"); }
  HRESULT STDMETHODCALLTYPE startPrefixMapping(const WCHAR* prefix, int prefixLength,
                                               const WCHAR* uri, int uriLength) override {
    return Log("map " + Narrow(prefix, prefixLength) + "=" + Narrow(uri, uriLength));
  }
  HRESULT STDMETHODCALLTYPE endPrefixMapping(const WCHAR* prefix, int prefixLength) override {
    return Log("unmap " + Narrow(prefix, prefixLength));
  }
  HRESULT STDMETHODCALLTYPE startElement(const WCHAR* uri, int uriLength, const WCHAR* local,
                                         int localLength, const WCHAR* qName, int qNameLength,
                                         ISAXAttributes* attributes) override {
    if (++elements == failOnElement) return failure;
    std::string line = "<" + Narrow(qName, qNameLength) + " {" + Narrow(uri, uriLength) + "}" +
                       Narrow(local, localLength);
    int count = 0;
    attributes->getLength(&count);
    for (int i = 0; i < count; ++i) {
      const WCHAR *u, *l, *q, *v;
      int ul, ll, ql, vl;
      attributes->getName(i, &u, &ul, &l, &ll, &q, &ql);
      attributes->getValue(i, &v, &vl);
      line +=
          " " + Narrow(q, ql) + "({" + Narrow(u, ul) + "}" + Narrow(l, ll) + ")=" + Narrow(v, vl);
    }
    return Log(line);
  }
  HRESULT STDMETHODCALLTYPE endElement(const WCHAR*, int, const WCHAR*, int, const WCHAR* qName,
                                       int qNameLength) override {
    return Log(">" + Narrow(qName, qNameLength));
  }
  HRESULT STDMETHODCALLTYPE characters(const WCHAR* chars, int length) override {
    text += std::u16string(chars, static_cast<std::size_t>(length));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ignorableWhitespace(const WCHAR*, int) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE processingInstruction(const WCHAR* target, int targetLength,
                                                  const WCHAR*, int) override {
    return Log("?" + Narrow(target, targetLength));
  }
  HRESULT STDMETHODCALLTYPE skippedEntity(const WCHAR*, int) override { return S_OK; }

  std::vector<std::string> events;
  std::u16string text;
  int elements = 0;
  int failOnElement = 0;
  HRESULT failure = S_OK;

 private:
  HRESULT Log(std::string line) {
    events.push_back(std::move(line));
    return S_OK;
  }
};

// Hands out at most `step` bytes per Read and remembers the largest request.
class TricklingStream final : public ComObject<ISequentialStream> {
 public:
  TricklingStream(std::string bytes, std::size_t step) : bytes_(std::move(bytes)), step_(step) {}
  HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* read) override {
    largestRequest = std::max<ULONG>(largestRequest, cb);
    const std::size_t count = std::min({static_cast<std::size_t>(cb), step_, bytes_.size() - at_});
    std::copy_n(bytes_.data() + at_, count, static_cast<char*>(pv));
    at_ += count;
    *read = static_cast<ULONG>(count);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }

  ULONG largestRequest = 0;

 private:
  std::string bytes_;
  std::size_t step_;
  std::size_t at_ = 0;
};

class SaxReaderTest : public XmlTest {
 protected:
  HRESULT ParseText(std::u16string_view xml) {
    auto reader = NewReader();
    reader->putContentHandler(handler.Get());
    UniqueBstr text = Bstr(xml);
    return reader->parse(TextVariant(text.Get()));
  }
  HRESULT ParseStream(ISequentialStream* stream) {
    auto reader = NewReader();
    reader->putContentHandler(handler.Get());
    return reader->parse(UnknownVariant(stream));
  }

  ComPtr<RecordingHandler> handler = MakeComObject<RecordingHandler>();
};

TEST_F(SaxReaderTest, ReportsQualifiedNamesAndNamespaceDeclarationsAsAttributesInOrder) {
  ASSERT_EQ(ParseText(u"<?xml version=\"1.0\"?><p:Root xmlns:p=\"urn:p\" a=\"1\" xmlns=\"urn:d\" "
                      u"p:b=\"2\"><Child xml:lang=\"en\"/><?pi x?></p:Root>"),
            S_OK);
  const std::vector<std::string> expected = {
      "startDocument",
      "map p=urn:p",
      "map =urn:d",
      "<p:Root {urn:p}Root xmlns:p({}p)=urn:p a({}a)=1 xmlns({}xmlns)=urn:d p:b({urn:p}b)=2",
      "<Child {urn:d}Child xml:lang({http://www.w3.org/XML/1998/namespace}lang)=en",
      ">Child",
      "?pi",
      ">p:Root",
      "unmap ",
      "unmap p",
      "endDocument"};
  EXPECT_EQ(handler->events, expected);
}

TEST_F(SaxReaderTest, ReadsAStreamInChunksAndDecodesItsEncoding) {
  // UTF-16 with a byte order mark, references resolved, a character outside the BMP.
  std::u16string xml = u"\uFEFF<Page Text=\"a&amp;b&#x1D44E;&#38;#38;\">";
  for (int i = 0; i < 20000; ++i) xml += u"<Path Data=\"M 0,0 L 10,10\"/>";
  xml += u"t&lt;x</Page>";
  std::string bytes(reinterpret_cast<const char*>(xml.data()), xml.size() * 2);
  auto stream = MakeComObject<TricklingStream>(bytes, 3);

  ASSERT_EQ(ParseStream(stream.Get()), S_OK);
  EXPECT_LE(stream->largestRequest, 64u * 1024);
  EXPECT_EQ(handler->elements, 20001);
  EXPECT_EQ(handler->events[1], "<Page {}Page Text({}Text)=a&b\xF0\x9D\x91\x8E&#38;");
  EXPECT_EQ(handler->text, u"t<x");
}

TEST_F(SaxReaderTest, DecodesCharactersBeyondAsciiWhereverTheyFallInALongValue) {
  for (std::size_t before = 0; before < 10; ++before) {
    handler = MakeComObject<RecordingHandler>();
    const std::u16string value = std::u16string(before, u'a') + u"\u00e9\U0001F600" + u"0123456789";
    ASSERT_EQ(ParseText(u"<P V=\"" + value + u"\">" + value + u"</P>"), S_OK);
    EXPECT_EQ(handler->events[1], "<P {}P V({}V)=" + kx::Utf16ToUtf8(value)) << before;
    EXPECT_EQ(handler->text, value) << before;
  }
}

TEST_F(SaxReaderTest, AHandlerFailureStopsTheParseAndIsItsResult) {
  handler->failOnElement = 2;
  handler->failure = E_ABORT;
  EXPECT_EQ(ParseText(u"<a><b/><c/><d/></a>"), E_ABORT);
  EXPECT_EQ(handler->elements, 2);
  EXPECT_EQ(handler->events.back(), "<a {}a");
}

TEST_F(SaxReaderTest, ParsesWithoutAHandlerAndRejectsOtherInputs) {
  auto reader = NewReader();
  UniqueBstr text = Bstr(u"<a/>");
  EXPECT_EQ(reader->parse(TextVariant(text.Get())), S_OK);
  VARIANT number;
  VariantInit(&number);
  number.vt = VT_I4;
  EXPECT_EQ(reader->parse(number), E_INVALIDARG);
}

}  // namespace
}  // namespace kx::test
