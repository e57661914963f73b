#include "ticket_fixture.h"

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <fstream>
#include <sstream>

#include "kx/unique_bstr.h"
#include "kx/utf16.h"
#include "objbase.h"

namespace kx::test {

namespace {

constexpr const char* kNamespaces[][2] = {
    {"psf", "http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework"},
    {"psk", "http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords"},
    {"xsd", "http://www.w3.org/2001/XMLSchema"},
    {"xsi", "http://www.w3.org/2001/XMLSchema-instance"},
    {"kx", "http://schemas.kexley.example/printing/2026/keywords"},
};

const xmlChar* Xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

template <class Fn>
auto WithXPath(const std::string& xml, const std::string& expression, Fn fn) {
  xmlDoc* doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, 0);
  EXPECT_NE(doc, nullptr) << xml;
  xmlXPathContext* context = xmlXPathNewContext(doc);
  for (const auto& ns : kNamespaces) xmlXPathRegisterNs(context, Xml(ns[0]), Xml(ns[1]));
  xmlXPathObject* result = xmlXPathEvalExpression(Xml(expression.c_str()), context);
  EXPECT_NE(result, nullptr) << expression;
  auto value = fn(result);
  xmlXPathFreeObject(result);
  xmlXPathFreeContext(context);
  xmlFreeDoc(doc);
  return value;
}

}  // namespace

std::string Ticket(std::string_view body) {
  std::string ticket = "<psf:PrintTicket version=\"1\"";
  for (const auto& ns : kNamespaces)
    ticket += std::string(" xmlns:") + ns[0] + "=\"" + ns[1] + "\"";
  return ticket + ">" + std::string(body) + "</psf:PrintTicket>";
}

std::string ReadSourceDriverFile(std::string_view name) {
  std::ifstream file(std::string(KX_SOURCE_DRIVER_DIR) + "/" + std::string(name));
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

ComPtr<IStream> StreamOf(std::string_view bytes) {
  ComPtr<IStream> stream;
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.ReleaseAndGetAddressOf()), S_OK);
  ULONG written = 0;
  EXPECT_EQ(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written), S_OK);
  LARGE_INTEGER start{};
  EXPECT_EQ(stream->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
  return stream;
}

std::string Contents(IStream* stream) {
  LARGE_INTEGER start{};
  EXPECT_EQ(stream->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
  std::string bytes;
  char chunk[4096];
  ULONG read = 0;
  while (SUCCEEDED(stream->Read(chunk, sizeof chunk, &read)) && read > 0) bytes.append(chunk, read);
  return bytes;
}

void PrintTicketTest::SetUp() { ASSERT_EQ(PTOpenProvider(u"Kexley InkJet", 1, &provider_), S_OK); }

void PrintTicketTest::TearDown() { EXPECT_EQ(PTCloseProvider(provider_), S_OK); }

Outcome PrintTicketTest::Merge(std::string_view base, std::optional<std::string_view> delta,
                               EPrintTicketScope scope) {
  ComPtr<IStream> result = StreamOf("");
  ComPtr<IStream> deltaStream = delta ? StreamOf(*delta) : ComPtr<IStream>();
  UniqueBstr error;
  Outcome outcome;
  outcome.hr = PTMergeAndValidatePrintTicket(provider_, StreamOf(base).Get(), deltaStream.Get(),
                                             scope, result.Get(), error.ResetAndGetAddressOf());
  outcome.xml = Contents(result.Get());
  outcome.error = Utf16ToUtf8(error.View());
  return outcome;
}

Outcome PrintTicketTest::Capabilities(std::string_view ticket) {
  ComPtr<IStream> result = StreamOf("");
  UniqueBstr error;
  Outcome outcome;
  outcome.hr = PTGetPrintCapabilities(provider_, StreamOf(ticket).Get(), result.Get(),
                                      error.ResetAndGetAddressOf());
  outcome.xml = Contents(result.Get());
  outcome.error = Utf16ToUtf8(error.View());
  return outcome;
}

std::string XPathText(const std::string& xml, const std::string& expression) {
  return WithXPath(xml, "string(" + expression + ")", [](xmlXPathObject* result) {
    return result && result->stringval ? std::string(reinterpret_cast<char*>(result->stringval))
                                       : std::string();
  });
}

int XPathCount(const std::string& xml, const std::string& expression) {
  return WithXPath(xml, "count(" + expression + ")", [](xmlXPathObject* result) {
    return result ? static_cast<int>(result->floatval) : -1;
  });
}

std::string OptionOf(const std::string& xml, const std::string& feature) {
  const std::string path = "/psf:PrintTicket/psf:Feature[@name='" + feature + "']/psf:Option";
  if (XPathCount(xml, path) == 0) return "none";
  return XPathText(xml, path + "/@name");
}

}  // namespace kx::test
