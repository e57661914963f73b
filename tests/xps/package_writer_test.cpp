#include <gtest/gtest.h>

#include <functional>

#include "kx/unique_bstr.h"
#include "kx/utf16.h"
#include "package_archive.h"
#include "package_builder.h"
#include "package_test_support.h"
#include "package_writer.h"

namespace kx::test {
namespace {

// Reads `in` and writes every part to `out`, letting `alter` send a part differently: it
// returns S_FALSE to have the part sent as it is.
using Alter = std::function<HRESULT(IUnknown* part, IXpsDocumentConsumer* writer)>;

HRESULT Copy(const std::string& in, const std::string& out, const Alter& alter = {}) {
  auto log = std::make_shared<xps::ErrorLog>();
  auto reader = xps::OpenPackageReader(in, log);
  auto writer = xps::PackageWriter::Create(out, log);
  for (;;) {
    ComPtr<IUnknown> part;
    HRESULT hr = reader->GetXpsPart(part.ReleaseAndGetAddressOf());
    if (FAILED(hr) || !part) break;
    hr = alter ? alter(part.Get(), writer.Get()) : S_FALSE;
    if (hr == S_FALSE) hr = xps::SendPart(writer.Get(), part.Get());
    if (FAILED(hr)) return hr;
  }
  return writer->CloseSender();
}

// A new part of kind I from the writer, holding `content`.
template <class I>
HRESULT NewPart(IXpsDocumentConsumer* writer, const char16_t* name, const std::string& content,
                ComPtr<I>& part) {
  ComPtr<IPrintWriteStream> stream;
  const HRESULT hr =
      writer->GetNewEmptyPart(name, InterfaceId<I>::value, part.ReleaseAndGetVoidAddressOf(),
                              stream.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  ULONG written = 0;
  stream->WriteBytes(content.data(), static_cast<ULONG>(content.size()), &written);
  stream->Close();
  return S_OK;
}

std::string Input(const XpsSpec& spec = {}) {
  const std::string path = TemporaryPath("in.xps");
  WriteZip(path, MakeXpsItems(spec));
  return path;
}

std::string StoredItem(const std::string& package, const std::string& name) {
  auto archive = xps::PackageArchive::Open(package, nullptr);
  const auto item = archive->Find(name);
  return item ? archive->ReadAll(*item, 1 << 20) : "<absent>";
}

TEST(PackageWriter, ACopyReadsBackWithTheSamePartsContentAndStoredFontBytes) {
  const std::string in = Input({.documents = 2, .pagesPerDocument = 3});
  const std::string out = TemporaryPath("out.xps");
  ASSERT_EQ(Copy(in, out), S_OK);

  const ReadResult original = ReadPackage(in);
  const ReadResult copy = ReadPackage(out);
  ASSERT_EQ(copy.hr, S_OK) << copy.message;
  EXPECT_EQ(copy.parts, original.parts);
  for (const char* name :
       {"/Documents/2/Pages/3.fpage", "/Metadata/Job_PT.xml", "/Documents/1/Page_PT.xml"})
    EXPECT_EQ(StoredItem(out, name), StoredItem(in, name)) << name;
  // Restored on reading, obfuscated again on writing: the stored bytes are the input's.
  EXPECT_EQ(StoredItem(out, std::string("/") + kFontPart),
            StoredItem(in, std::string("/") + kFontPart));
  EXPECT_NE(StoredItem(out, "/Documents/1/Pages/_rels/1.fpage.rels").find("printticket"),
            std::string::npos);
}

TEST(PackageWriter, NewFontsAreObfuscatedWhenTheirOptionsAskForIt) {
  const std::string out = TemporaryPath("out.xps");
  const std::u16string fontName = u"/Fonts/11112222-3333-4444-5555-666677778888.odttf";
  const HRESULT hr =
      Copy(Input({.withFont = false}), out, [&](IUnknown* part, IXpsDocumentConsumer* writer) {
        ComPtr<IFixedPage> page;
        if (FAILED(ComPtr<IUnknown>(part).As(page))) return S_FALSE;
        ComPtr<IPartFont> font;
        const HRESULT result = NewPart(writer, fontName.c_str(), PlainFontBytes(), font);
        if (FAILED(result)) return result;
        UniqueBstr type(SysAllocString(u"application/vnd.ms-package.obfuscated-opentype"));
        font->SetFontContent(type.Get());
        font->SetFontOptions(Font_Obfusticate);
        page->SetPagePart(font.Get());
        return S_FALSE;
      });
  ASSERT_EQ(hr, S_OK);
  const std::string stored = StoredItem(out, Utf16ToUtf8(fontName));
  const std::string plain = PlainFontBytes();
  ASSERT_EQ(stored.size(), plain.size());
  EXPECT_NE(stored.substr(0, 32), plain.substr(0, 32));
  EXPECT_EQ(stored.substr(32), plain.substr(32));
  // Read back through the package, the font is plain again.
  const auto font = FirstPart<IPartFont>(out);
  ASSERT_TRUE(font);
  EXPECT_EQ(ContentOf(font.Get()), plain);
}

TEST(PackageWriter, ARewrittenPageKeepsItsOldContentUntilItsStreamIsClosed) {
  const std::string out = TemporaryPath("out.xps");
  const std::string replacement =
      "<FixedPage xmlns=\"http://schemas.microsoft.com/xps/2005/06\" Width=\"10\" Height=\"10\"/>";
  std::string before;
  std::string during;
  const HRESULT hr =
      Copy(Input({.pagesPerDocument = 1}), out, [&](IUnknown* part, IXpsDocumentConsumer*) {
        ComPtr<IFixedPage> page;
        if (FAILED(ComPtr<IUnknown>(part).As(page))) return S_FALSE;
        before = ContentOf(page.Get());
        ComPtr<IPrintWriteStream> stream;
        page->GetWriteStream(stream.ReleaseAndGetAddressOf());
        ULONG written = 0;
        stream->WriteBytes(replacement.data(), static_cast<ULONG>(replacement.size()), &written);
        during = ContentOf(page.Get());
        stream->Close();
        return S_FALSE;
      });
  ASSERT_EQ(hr, S_OK);
  EXPECT_EQ(during, before);
  EXPECT_EQ(StoredItem(out, "/Documents/1/Pages/1.fpage"), replacement);
}

TEST(PackageWriter, DocumentMarkupListsThePagesActuallySent) {
  const std::string out = TemporaryPath("out.xps");
  bool replaced = false;
  const HRESULT hr =
      Copy(Input({.pagesPerDocument = 3}), out, [&](IUnknown* part, IXpsDocumentConsumer* writer) {
        ComPtr<IFixedPage> page;
        if (FAILED(ComPtr<IUnknown>(part).As(page))) return S_FALSE;
        if (replaced) return S_OK;  // the other pages are dropped
        replaced = true;
        ComPtr<IFixedPage> sheet;
        const HRESULT result = NewPart(writer, u"/LO_NUpPage_1.xml", ContentOf(page.Get()), sheet);
        return FAILED(result) ? result : writer->SendFixedPage(sheet.Get());
      });
  ASSERT_EQ(hr, S_OK);
  const ReadResult copy = ReadPackage(out);
  ASSERT_EQ(copy.hr, S_OK) << copy.message;
  EXPECT_EQ(copy.parts.back(), "page /LO_NUpPage_1.xml");
  EXPECT_EQ(std::count_if(copy.parts.begin(), copy.parts.end(),
                          [](const std::string& p) { return p.starts_with("page "); }),
            1);
}

TEST(PackageWriter, NewPartsNeedAValidNameAndAKnownKind) {
  auto writer = xps::PackageWriter::Create(TemporaryPath("out.xps"), nullptr);
  ComPtr<IUnknown> part;
  ComPtr<IPrintWriteStream> stream;
  EXPECT_EQ(
      writer->GetNewEmptyPart(u"../escape.xml", IID_IFixedPage, part.ReleaseAndGetVoidAddressOf(),
                              stream.ReleaseAndGetAddressOf()),
      E_INVALIDARG);
  EXPECT_EQ(writer->GetNewEmptyPart(u"/a.xml", IID_IStream, part.ReleaseAndGetVoidAddressOf(),
                                    stream.ReleaseAndGetAddressOf()),
            E_NOINTERFACE);
  EXPECT_FALSE(part);
  EXPECT_FALSE(stream);
}

TEST(PackageWriter, OutOfOrderOrMissingPartsFailAndLeaveThePackageIncomplete) {
  auto log = std::make_shared<xps::ErrorLog>();
  auto writer = xps::PackageWriter::Create(TemporaryPath("out.xps"), log);
  ComPtr<IFixedPage> page;
  ASSERT_EQ(NewPart(writer.Get(), u"/p.fpage", "<FixedPage/>", page), S_OK);
  EXPECT_TRUE(FAILED(writer->SendFixedPage(page.Get())));
  EXPECT_NE(log->First().find("a page before any document"), std::string::npos) << log->First();
  EXPECT_TRUE(FAILED(writer->CloseSender()));  // the first failure sticks
  EXPECT_FALSE(writer->Completed());

  EXPECT_THROW(xps::PackageWriter::Create("/nonexistent/dir/out.xps", log), xps::PackageError);
}

}  // namespace
}  // namespace kx::test
