#include <gtest/gtest.h>

#include <string>

#include "canvas_fragment_rewriter.h"
#include "com_apartment_test.h"
#include "copy_page_parts.h"
#include "in_place_page_rewriter.h"
#include "objbase.h"
#include "page_streams.h"
#include "rewrite_page.h"

namespace kx {
namespace {

using test::StreamPage;

// A placement that moves pages by (dx, dy); its clip corners may be unavailable.
class Placement final : public CanvasPlacement {
 public:
  HRESULT GetTransform(Gdiplus::GpMatrix* matrix) override {
    if (FAILED(transformResult)) return transformResult;
    return Gdiplus::GdipTranslateMatrix(matrix, dx, dy, Gdiplus::MatrixOrderAppend) == Gdiplus::Ok
               ? S_OK
               : E_FAIL;
  }
  HRESULT GetClipCorners(Gdiplus::PointF* first, Gdiplus::PointF* second) override {
    if (!clipAvailable) return E_NOTIMPL;
    *first = {0, 0};
    *second = {400, 500.5f};
    return S_OK;
  }

  float dx = 0;
  float dy = 0;
  bool clipAvailable = true;
  HRESULT transformResult = S_OK;
};

// A page with resources, a comment, white space, an element without children and attribute
// values that need escaping.
constexpr char kPage[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<FixedPage Width=\"816\" Height=\"1056\" xmlns=\"http://schemas.microsoft.com/xps/2005/06\" "
    "xmlns:x=\"http://schemas.microsoft.com/winfx/2006/xaml\" xml:lang=\"en\">\n"
    "  <!-- made by hand -->\n"
    "  <FixedPage.Resources><ResourceDictionary><SolidColorBrush x:Key=\"b\" Color=\"#FF0000\"/>"
    "</ResourceDictionary></FixedPage.Resources>\n"
    "  <Canvas NavigateUri=\"http://example.com/?a=1&amp;b=2\">\n"
    "    <Path Data=\"M 0,0 L 10,10\" Fill=\"{StaticResource b}\"/>\n"
    "    <Glyphs UnicodeString=\"a&amp;b&lt;c\" OriginX=\"1\" OriginY=\"2\"></Glyphs>\n"
    "  </Canvas>\n"
    "</FixedPage>\n";

constexpr char kBody[] =
    "<FixedPage.Resources><ResourceDictionary><SolidColorBrush x:Key=\"b\" Color=\"#FF0000\"/>"
    "</ResourceDictionary></FixedPage.Resources>"
    "<Canvas NavigateUri=\"http://example.com/?a=1&amp;b=2\">"
    "<Path Data=\"M 0,0 L 10,10\" Fill=\"{StaticResource b}\"/>"
    "<Glyphs UnicodeString=\"a&amp;b&lt;c\" OriginX=\"1\" OriginY=\"2\"/>"
    "</Canvas>";

class PageRewriterTest : public test::ComApartmentTest {
 protected:
  // Rewrites page's markup with rewriter, finishes it and gives the result of the parse.
  template <class Rewriter>
  HRESULT Rewrite(StreamPage& page) {
    auto rewriter = MakeComObject<Rewriter>(page.output.Get(), placement);
    const HRESULT hr = RewritePage(&page, rewriter.Get());
    EXPECT_EQ(rewriter->Finish(), S_OK);
    return hr;
  }

  Placement placement;
};

TEST_F(PageRewriterTest, InPlaceWrapsEveryChildInATransformedCanvas) {
  placement.dx = 10;
  placement.dy = 20.5f;
  auto page = MakeComObject<StreamPage>(kPage);
  ASSERT_EQ(Rewrite<InPlacePageRewriter>(*page.Get()), S_OK);
  EXPECT_EQ(page->output->bytes,
            std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                        "<FixedPage Width=\"816\" Height=\"1056\" "
                        "xmlns=\"http://schemas.microsoft.com/xps/2005/06\" "
                        "xmlns:x=\"http://schemas.microsoft.com/winfx/2006/xaml\" xml:lang=\"en\">"
                        "<Canvas RenderTransform=\"1.000000,0.000000,0.000000,1.000000,10.000,"
                        "20.500\" Clip=\"M 0,0 L 816.00,0 L 816.00,1056.00 L 0, 1056.00 Z\">") +
                kBody + "</Canvas></FixedPage>");
}

TEST_F(PageRewriterTest, CanvasFragmentPlacesThePageWithItsPrefixedDeclarations) {
  auto page = MakeComObject<StreamPage>(kPage);
  ASSERT_EQ(Rewrite<CanvasFragmentRewriter>(*page.Get()), S_OK);
  std::string body = kBody;
  for (const std::string name : {"<FixedPage.Resources>", "</FixedPage.Resources>"})
    body.replace(body.find(name), name.size(),
                 name[1] == '/' ? "</Canvas.Resources>" : "<Canvas.Resources>");
  const std::string start =
      "<Canvas RenderTransform=\"1.000000,0.000000,0.000000,1.000000,0.000,0.000\" "
      "Clip=\"M 0.00,0.00 L 400.00,0.00 L 400.00,500.50 L 0.00,500.50 Z\" "
      "xmlns:x=\"http://schemas.microsoft.com/winfx/2006/xaml\">";
  EXPECT_EQ(page->output->bytes, start + body + "</Canvas>");

  // Without clip corners the clip is the page itself.
  placement.clipAvailable = false;
  page = MakeComObject<StreamPage>(kPage);
  ASSERT_EQ(Rewrite<CanvasFragmentRewriter>(*page.Get()), S_OK);
  EXPECT_NE(page->output->bytes.find("Clip=\"M 0,0 L 816.00,0 L 816.00,1056.00 L 0,1056.00 Z\""),
            std::string::npos);
}

TEST_F(PageRewriterTest, ATransformFailureStopsThePage) {
  placement.transformResult = E_ABORT;
  auto page = MakeComObject<StreamPage>(kPage);
  EXPECT_EQ(Rewrite<InPlacePageRewriter>(*page.Get()), E_ABORT);
  EXPECT_EQ(page->output->bytes, "<?xml version=\"1.0\" encoding=\"utf-8\"?>");
  page = MakeComObject<StreamPage>(kPage);
  EXPECT_EQ(Rewrite<CanvasFragmentRewriter>(*page.Get()), E_ABORT);
  EXPECT_EQ(page->output->bytes, "");
  page = MakeComObject<StreamPage>("<FixedPage><Path>");
  EXPECT_TRUE(FAILED(Rewrite<InPlacePageRewriter>(*page.Get())));
}

TEST_F(PageRewriterTest, WritesPendingTextPastTheThresholdAndWhenFinished) {
  std::string markup = "<FixedPage Width=\"10\" Height=\"10\">";
  const std::string path = "<Path Data=\"M 0,0 L 1,1 L 2,2 L 3,3 L 4,4 L 5,5 L 6,6\"/>";
  while (markup.size() < 800000) markup += path;
  markup += "</FixedPage>";
  auto page = MakeComObject<StreamPage>(markup);
  auto rewriter = MakeComObject<InPlacePageRewriter>(page->output.Get(), placement);
  ASSERT_EQ(RewritePage(page.Get(), rewriter.Get()), S_OK);
  const auto& sizes = page->output->writeSizes;
  ASSERT_GE(sizes.size(), 2u);
  // Each block is the threshold's worth of text plus at most one callback's.
  EXPECT_GT(sizes.front(), PageMarkupRewriter::kFlushThreshold);
  EXPECT_LT(sizes.front(), PageMarkupRewriter::kFlushThreshold + path.size() + 1);
  const std::size_t calls = sizes.size();
  rewriter.Reset();
  EXPECT_EQ(page->output->writeSizes.size(), calls + 1);
  EXPECT_TRUE(page->output->bytes.ends_with("/></Canvas></FixedPage>"));
}

TEST_F(PageRewriterTest, CopiesEveryPartOfThePageUntilTheFirstFailure) {
  std::vector<ComPtr<IUnknown>> parts;
  for (const auto* uri : {u"/a.odttf", u"/b.png", u"/c.dict"})
    parts.emplace_back(static_cast<IPartFont*>(MakeComObject<test::FakeFontPart>(uri).Get()));
  auto source = MakeComObject<StreamPage>("", parts);
  auto target = MakeComObject<StreamPage>("");
  ASSERT_EQ(CopyPageParts(source.Get(), target.Get()), S_OK);
  ASSERT_EQ(target->receivedParts.size(), 3u);
  EXPECT_EQ(target->receivedParts[1].Get(), parts[1].Get());

  auto refusing = MakeComObject<StreamPage>("");
  refusing->setPagePartResult = E_ACCESSDENIED;
  EXPECT_EQ(CopyPageParts(source.Get(), refusing.Get()), E_ACCESSDENIED);
  EXPECT_EQ(CopyPageParts(nullptr, target.Get()), E_POINTER);
}

}  // namespace
}  // namespace kx
