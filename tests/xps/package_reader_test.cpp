#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <functional>

#include "kx/unique_bstr.h"

#include "package_builder.h"
#include "package_test_support.h"

namespace kx::test {
namespace {

using Items = std::vector<ZipItem>;

std::string Write(const Items& items) {
  const std::string path = TemporaryPath("in.xps");
  WriteZip(path, items);
  return path;
}

TEST(PackageReader, HandsOutPartsInDocumentOrderWithEachResourceOnceBeforeItsFirstPage) {
  const ReadResult result =
      ReadPackage(Write(MakeXpsItems({.documents = 2, .pagesPerDocument = 2})));
  ASSERT_EQ(result.hr, S_OK) << result.message;
  const std::vector<std::string> expected = {
      "xpsdocument",
      "sequence /FixedDocumentSequence.fdseq",
      "document /Documents/1/FixedDocument.fdoc",
      std::string("unknown /") + kFontPart,
      "page /Documents/1/Pages/1.fpage",
      "page /Documents/1/Pages/2.fpage",
      "document /Documents/2/FixedDocument.fdoc",
      "page /Documents/2/Pages/1.fpage",
      "page /Documents/2/Pages/2.fpage",
  };
  EXPECT_EQ(result.parts, expected);
}

TEST(PackageReader, PagesCarryTheirResourcesTicketsAndContent) {
  const auto page = FirstPart<IFixedPage>(Write(MakeXpsItems()));
  ASSERT_TRUE(page);
  EXPECT_NE(ContentOf(page.Get()).find("<FixedPage"), std::string::npos);

  ComPtr<IPartPrintTicket> ticket;
  ASSERT_EQ(page->GetPrintTicket(ticket.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(PartName(ticket.Get()), "/Documents/1/Page_PT.xml");

  // The font is found by a reference relative to the page and reads back restored.
  ComPtr<IUnknown> resource;
  ASSERT_EQ(page->GetPagePart(u"../../../Resources/0B1A2C3D-4E5F-6071-8293-A4B5C6D7E8F9.odttf",
                              resource.ReleaseAndGetAddressOf()),
            S_OK);
  ComPtr<IPartFont> font;
  ASSERT_EQ(resource.As(font), S_OK);
  EXPECT_EQ(ContentOf(font.Get()), PlainFontBytes());
  UniqueBstr type;
  EXpsFontOptions options = Font_Normal;
  ASSERT_EQ(font->GetFontProperties(type.ResetAndGetAddressOf(), &options), S_OK);
  EXPECT_EQ(options, Font_Obfusticate);

  ComPtr<IXpsPartIterator> iterator;
  ASSERT_EQ(page->GetXpsPartIterator(iterator.ReleaseAndGetAddressOf()), S_OK);
  int count = 0;
  for (iterator->Reset(); !iterator->IsDone(); iterator->Next()) ++count;
  EXPECT_EQ(count, 1);
}

TEST(PackageReader, InterleavedPiecesReadLikeWholeParts) {
  Items items = MakeXpsItems();
  for (const char* name :
       {"[Content_Types].xml", "Documents/1/Pages/1.fpage", "_rels/.rels", kFontPart})
    Interleave(items, name, 3);
  const ReadResult pieced = ReadPackage(Write(items));
  const ReadResult whole = ReadPackage(Write(MakeXpsItems()));
  ASSERT_EQ(pieced.hr, S_OK) << pieced.message;
  EXPECT_EQ(pieced.parts, whole.parts);

  const auto page = FirstPart<IFixedPage>(Write(items));
  ASSERT_TRUE(page);
  Items original = MakeXpsItems();
  EXPECT_EQ(ContentOf(page.Get()), FindItem(original, "Documents/1/Pages/1.fpage")->content);
}

TEST(PackageReader, ReadStreamsSeekAnywhere) {
  const auto font = FirstPart<IPartFont>(Write(MakeXpsItems()));
  ASSERT_TRUE(font);
  ComPtr<IPrintReadStream> stream;
  ASSERT_EQ(font->GetStream(stream.ReleaseAndGetAddressOf()), S_OK);
  const std::string plain = PlainFontBytes();

  ULONGLONG position = 0;
  ASSERT_EQ(stream->Seek(0, 2, &position), S_OK);  // from the end: the size
  EXPECT_EQ(position, plain.size());
  ASSERT_EQ(stream->Seek(30, 0, &position), S_OK);  // back, into the obfuscated bytes
  char bytes[4] = {};
  ULONG read = 0;
  BOOL end = FALSE;
  ASSERT_EQ(stream->ReadBytes(bytes, 4, &read, &end), S_OK);
  EXPECT_EQ(std::string(bytes, read), plain.substr(30, 4));
  EXPECT_EQ(stream->Seek(-100, 1, &position), STG_E_INVALIDFUNCTION);
}

// Each bad package gives a failure whose message names what is wrong, never a crash or hang.
TEST(PackageReader, BrokenPackagesFailWithAMessageNamingThePart) {
  struct Case {
    const char* what;
    std::function<void(Items&)> damage;
    const char* message;
  } cases[] = {
      {"no start part",
       [](Items& i) {
         FindItem(i, "_rels/.rels")->content =
             "<Relationships "
             "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>";
       },
       "no XPS start part"},
      {"missing page",
       [](Items& i) {
         std::erase_if(i, [](auto& x) { return x.name == "Documents/1/Pages/2.fpage"; });
       },
       "refers to missing part /Documents/1/Pages/2.fpage"},
      {"missing resource",
       [](Items& i) { std::erase_if(i, [](auto& x) { return x.name == kFontPart; }); },
       "refers to missing part /Resources/"},
      {"malformed document markup",
       [](Items& i) {
         FindItem(i, "Documents/1/FixedDocument.fdoc")->content =
             "<FixedDocument xmlns=\"http://schemas.microsoft.com/xps/2005/06\"><PageContent";
       },
       "/Documents/1/FixedDocument.fdoc: line 1"},
      {"malformed sequence markup",
       [](Items& i) { FindItem(i, "FixedDocumentSequence.fdseq")->content = "not markup"; },
       "/FixedDocumentSequence.fdseq"},
      {"wrong root",
       [](Items& i) { FindItem(i, "FixedDocumentSequence.fdseq")->content = "<Foo/>"; },
       "not a FixedDocumentSequence"},
      {"document type definition",
       [](Items& i) {
         FindItem(i, "Documents/1/FixedDocument.fdoc")->content =
             "<!DOCTYPE x [<!ENTITY a \"aaaa\">]><FixedDocument "
             "xmlns=\"http://schemas.microsoft.com/xps/2005/06\"/>";
       },
       "document type definitions are not allowed"},
      {"empty document",
       [](Items& i) {
         FindItem(i, "Documents/1/FixedDocument.fdoc")->content =
             "<FixedDocument xmlns=\"http://schemas.microsoft.com/xps/2005/06\"/>";
       },
       "the document has no pages"},
      {"empty sequence",
       [](Items& i) {
         FindItem(i, "FixedDocumentSequence.fdseq")->content =
             "<FixedDocumentSequence xmlns=\"http://schemas.microsoft.com/xps/2005/06\"/>";
       },
       "the sequence holds no documents"},
      {"duplicate name",
       [](Items& i) {
         i.push_back({"documents/1/pages/1.FPAGE", "x"});
       },
       "duplicate part name"},
      {"dot-dot item",
       [](Items& i) {
         i.push_back({"../evil.xml", "x"});
       },
       "\"../evil.xml\" is no valid part name"},
      {"absolute item",
       [](Items& i) {
         i.push_back({"/etc/passwd", "x"});
       },
       "is no valid part name"},
      {"reference above the root",
       [](Items& i) {
         FindItem(i, "FixedDocumentSequence.fdseq")->content =
             "<FixedDocumentSequence "
             "xmlns=\"http://schemas.microsoft.com/xps/2005/06\"><DocumentReference "
             "Source=\"../../x.fdoc\"/></FixedDocumentSequence>";
       },
       "lies outside the package"},
      {"incomplete pieces",
       [](Items& i) {
         Interleave(i, "Documents/1/Pages/1.fpage", 3);
         std::erase_if(i, [](auto& x) { return x.name.ends_with("[1].piece"); });
       },
       "interleaved pieces are incomplete"},
      {"no content types",
       [](Items& i) { std::erase_if(i, [](auto& x) { return x.name == "[Content_Types].xml"; }); },
       "no [Content_Types].xml"},
      {"page without content type",
       [](Items& i) {
         FindItem(i, "Documents/1/FixedDocument.fdoc")->content =
             "<FixedDocument xmlns=\"http://schemas.microsoft.com/xps/2005/06\"><PageContent "
             "Source=\"Pages/1.fpage.bak\"/></FixedDocument>";
         i.push_back({"Documents/1/Pages/1.fpage.bak", "<FixedPage/>"});
       },
       "is not a fixed page"},
      {"oversized markup",
       [](Items& i) {
         FindItem(i, "Documents/1/FixedDocument.fdoc")->content.append(70u << 20, ' ');
       },
       "part too large"},
  };
  for (const Case& c : cases) {
    Items items = MakeXpsItems();
    c.damage(items);
    const ReadResult result = ReadPackage(Write(items));
    EXPECT_TRUE(FAILED(result.hr)) << c.what;
    EXPECT_NE(result.message.find(c.message), std::string::npos)
        << c.what << ": " << result.message;
  }
}

TEST(PackageReader, FilesThatAreNoPackagesAreRefused) {
  const std::string text = TemporaryPath("text.xps");
  FILE* file = std::fopen(text.c_str(), "w");
  std::fputs("not a zip", file);
  std::fclose(file);
  const std::string truncated = Write(MakeXpsItems());
  ASSERT_EQ(truncate(truncated.c_str(), 200), 0);

  const std::pair<std::string, const char*> cases[] = {
      {text, "not a ZIP archive"},
      {truncated, "not a ZIP archive, or a truncated one"},
      {"/nonexistent/in.xps", "No such file"},
      {"/tmp", "not a regular file"},
  };
  for (const auto& [path, message] : cases) {
    const ReadResult result = ReadPackage(path);
    EXPECT_TRUE(FAILED(result.hr)) << path;
    EXPECT_NE(result.message.find(message), std::string::npos) << result.message;
  }
}

}  // namespace
}  // namespace kx::test
