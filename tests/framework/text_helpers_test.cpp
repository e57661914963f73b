#include <gtest/gtest.h>

#include "escape_xml_text.h"
#include "format_clip_rectangle.h"
#include "format_matrix.h"
#include "kx/unique_bstr.h"
#include "narrow_text_buffer.h"
#include "text_buffer.h"
#include "utf8_text.h"

namespace kx {
namespace {

TEST(TextBuffer, GrowsByDoublingFrom128) {
  struct Case {
    std::size_t before;  // 0: a new buffer
    std::size_t reserve;
    std::size_t capacity;
  };
  for (const Case& c : {Case{0, 0, 128}, Case{0, 127, 128}, Case{0, 128, 256},
                        Case{256, 1000, 1024}, Case{256, 255, 256}}) {
    TextBuffer buffer;
    if (c.before) {
      buffer.Reserve(c.before - 1);
      buffer.Assign(u"kept");
    }
    buffer.Reserve(c.reserve);
    EXPECT_EQ(buffer.Capacity(), c.capacity) << "reserve " << c.reserve;
    EXPECT_EQ(buffer.View(), c.before ? u"kept" : u"");
  }
}

TEST(TextBuffer, AssignsAppendsComparesAndFinds) {
  TextBuffer buffer;
  EXPECT_EQ(buffer.Text(), nullptr);
  EXPECT_EQ(buffer.Length(), 0u);
  buffer.Assign(static_cast<const WCHAR*>(nullptr));
  EXPECT_EQ(buffer.Text(), nullptr);
  buffer.Append(u"abc");
  buffer.Append(std::u16string(300, u'x'));
  EXPECT_EQ(buffer.Length(), 303u);
  EXPECT_EQ(buffer.Find(u"cx"), 2);
  EXPECT_EQ(buffer.Find(u"zz"), -1);
  buffer.Assign(u"abc");
  EXPECT_TRUE(buffer.Equals(u"abc"));
  EXPECT_FALSE(buffer.Equals(u"ab"));
  EXPECT_THROW(buffer.Equals(nullptr), CXDException);
}

TEST(TextBuffer, ReplacesLeftToRightWithoutRescanning) {
  struct Case {
    const char16_t* text;
    const char16_t* from;
    const char16_t* to;
    std::size_t count;
    const char16_t* result;
  };
  for (const Case& c :
       {Case{u"aab", u"ab", u"b", 1, u"ab"}, Case{u"&&", u"&", u"&amp;", 2, u"&amp;&amp;"},
        Case{u"abc", u"x", u"y", 0, u"abc"}, Case{u"aaaa", u"aa", u"", 2, u""}}) {
    TextBuffer buffer;
    buffer.Assign(c.text);
    EXPECT_EQ(buffer.ReplaceAll(c.from, c.to), c.count) << static_cast<int>(c.text[0]);
    EXPECT_EQ(buffer.View(), c.result);
  }
}

TEST(TextBuffer, FormatsOverItsTextAndRejectsBadTemplates) {
  TextBuffer buffer;
  buffer.Assign(u"old text that is longer");
  buffer.Format(u"%.2f,%s", 1.005f, u"x");
  EXPECT_EQ(buffer.View(), u"1.00,x");
  try {
    buffer.Format(nullptr);
    FAIL();
  } catch (const CXDException& e) {
    EXPECT_EQ(e.hr, E_INVALIDARG);
  }
}

TEST(NarrowTextBuffer, ConvertsToWindows1252AndFormats) {
  NarrowTextBuffer buffer;
  buffer.FromWide(u"\u20AC 5");
  EXPECT_EQ(buffer.View(), "\x80 5");
  buffer.FromWide(u"");
  EXPECT_EQ(buffer.Text(), nullptr);
  buffer.Format("%s-%d", "page", 7);
  EXPECT_EQ(buffer.View(), "page-7");
  EXPECT_EQ(buffer.Capacity(), 128u);
}

TEST(Utf8Text, ConvertsTheWholeTextWithoutTerminator) {
  TextBuffer text;
  text.Assign(u"\u00E9\U0001D44E");
  Utf8Text utf8(text);
  const BYTE* bytes = nullptr;
  ULONG count = 0;
  ASSERT_EQ(utf8.Convert(&bytes, &count), S_OK);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), count), "\xC3\xA9\xF0\x9D\x91\x8E");
  TextBuffer empty;
  EXPECT_EQ(Utf8Text(empty).Convert(&bytes, &count), E_FAIL);
  EXPECT_EQ(utf8.Convert(nullptr, &count), E_POINTER);
}

TEST(EscapeXmlText, EscapesAmpersandFirst) {
  struct Case {
    const char16_t* text;
    const char16_t* escaped;
  };
  for (const Case& c :
       {Case{u"a<b & 'c'", u"a&lt;b &amp; &apos;c&apos;"}, Case{u"&amp;", u"&amp;amp;"},
        Case{u"\"x\">", u"&quot;x&quot;&gt;"}, Case{u"", u""}}) {
    BSTR text = SysAllocString(c.text);
    ASSERT_EQ(EscapeXmlText(&text), S_OK);
    EXPECT_EQ(std::u16string(text, SysStringLen(text)), c.escaped);
    SysFreeString(text);
  }
  EXPECT_EQ(EscapeXmlText(nullptr), E_POINTER);

  TextBuffer attribute;
  AppendAttributeValue(attribute, u"a&b<\"\t\n\r'");
  EXPECT_EQ(attribute.View(), u"a&amp;b&lt;&quot;&#x9;&#xA;&#xD;&apos;");
}

class FixedMatrix final : public MatrixSource {
 public:
  explicit FixedMatrix(HRESULT result = S_OK) : result_(result) {}
  HRESULT GetTransform(Gdiplus::GpMatrix* matrix) override {
    Gdiplus::GdipTranslateMatrix(matrix, 12.3456f, -7.5f, Gdiplus::MatrixOrderAppend);
    return result_;
  }

 private:
  HRESULT result_;
};

class IdentityMatrix final : public MatrixSource {
 public:
  HRESULT GetTransform(Gdiplus::GpMatrix*) override { return S_OK; }
};

TEST(MarkupNumbers, FormatTransformsAndClipRectangles) {
  UniqueBstr text;
  IdentityMatrix identity;
  ASSERT_EQ(FormatMatrix(&identity, text.ResetAndGetAddressOf()), S_OK);
  EXPECT_EQ(text.View(), u"1.000000,0.000000,0.000000,1.000000,0.000,0.000");
  FixedMatrix moved;
  ASSERT_EQ(FormatMatrix(&moved, text.ResetAndGetAddressOf()), S_OK);
  EXPECT_EQ(text.View(), u"1.000000,0.000000,0.000000,1.000000,12.346,-7.500");
  FixedMatrix failing(E_ABORT);
  EXPECT_EQ(FormatMatrix(&failing, text.ResetAndGetAddressOf()), E_ABORT);
  EXPECT_EQ(text.Get(), nullptr);

  ASSERT_EQ(FormatClipRectangle({10, 20}, {110.5f, 220.25f}, text.ResetAndGetAddressOf()), S_OK);
  EXPECT_EQ(text.View(), u"M 10.00,20.00 L 110.50,20.00 L 110.50,220.25 L 10.00,220.25 Z");
}

}  // namespace
}  // namespace kx
