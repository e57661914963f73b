// The layout geometry: cell grid, order, rotation, scale and border lines of N-up, the tiles
// of a poster and the gutter shift, against a device with fixed margins.
#include <gtest/gtest.h>

#include <set>

#include "binding_layout.h"
#include "nup_layout.h"
#include "poster_layout.h"

namespace kx {
namespace {

// A device whose printable area has the same margin on every edge.
class FixedMargins final : public ImageableAreaSource {
 public:
  explicit FixedMargins(int margin) : margin_(margin) {}
  HRESULT ImageableAreaOf(const MediaSizeSettings& media, ImageableAreaSettings* area) override {
    const bool portrait = IsPortraitClass(media.orientation);
    const int w = portrait ? media.width : media.height;
    const int h = portrait ? media.height : media.width;
    *area = {w, h, margin_, margin_, w - 2 * margin_, h - 2 * margin_};
    return S_OK;
  }
  void RestoreMedia(const MediaSizeSettings&) override {}

 private:
  int margin_;
};

SheetMedia A4(int orientation, int margin = 5000) {
  SheetMedia page;
  page.size.mediaName = u"ISOA4";
  page.size.width = 210000;
  page.size.height = 297000;
  page.size.orientation = orientation;
  FixedMargins(margin).ImageableAreaOf(page.size, &page.area);
  return page;
}

NUpLayout NUp(int pagesPerSheet, int direction = 0, int border = 0, int orientation = kPortrait) {
  NUpLayout nup;
  nup.record = {0, pagesPerSheet, direction, border};
  FixedMargins device(5000);
  nup.ComputeSheetGeometry(A4(orientation), device);
  return nup;
}

TEST(NUpLayoutTest, FourPerSheetFillsThePrintableExtentOfAnA4Sheet) {
  NUpLayout nup = NUp(4, 0, 1);
  EXPECT_EQ(nup.columns, 2);
  EXPECT_EQ(nup.rows, 2);
  EXPECT_NEAR(nup.cellWidth, 387.18, 0.01);
  EXPECT_NEAR(nup.cellHeight, 551.66, 0.01);
  EXPECT_NEAR(nup.cellOffsetX, 9.22, 0.01);
  EXPECT_NEAR(nup.cellOffsetY, 9.29, 0.01);
  EXPECT_FLOAT_EQ(nup.scale, 0.4878048f);
  ASSERT_EQ(nup.borderLines.vertical.size(), 1u);
  ASSERT_EQ(nup.borderLines.horizontal.size(), 1u);
  EXPECT_NEAR(nup.borderLines.vertical[0].a, 396.86, 0.01);
  EXPECT_NEAR(nup.borderLines.vertical[0].b, 18.90, 0.01);
  EXPECT_NEAR(nup.borderLines.vertical[0].c, 1103.64, 0.01);
  EXPECT_NEAR(nup.borderLines.horizontal[0].b, 561.27, 0.01);
  EXPECT_EQ(nup.borderLines.style, 1);
  EXPECT_EQ(nup.sheet.size.orientation, kPortrait);

  // The first page is centred in the top left cell.
  nup.SetRotationFlags(A4(kPortrait));
  const Gdiplus::PointF centre = nup.CellTransform().Apply({nup.pageWidth / 2, nup.pageHeight / 2});
  EXPECT_NEAR(centre.X, 18.90 - 9.22 + 387.18 / 2, 0.02);
  EXPECT_NEAR(centre.Y, 18.90 - 9.29 + 551.66 / 2, 0.02);
}

TEST(NUpLayoutTest, TwoPerSheetTurnsTheSheetAndTurnsLandscapePagesIntoTheirCells) {
  struct Case {
    int pageOrientation;
    bool rotationInverted;
    float m12;  // sin of the angle the page is turned by
  } cases[] = {{kPortrait, false, 0}, {kLandscape, false, -1}, {kLandscape, true, 1}};
  for (const Case& c : cases) {
    NUpLayout nup = NUp(2, 0, 2);
    nup.rotationInverted = c.rotationInverted;
    EXPECT_EQ(nup.sheet.size.orientation, kLandscape);
    EXPECT_EQ(nup.columns, 2);
    EXPECT_EQ(nup.rows, 1);
    // BreakLine: one dashed line at the boundary of the two cells.
    EXPECT_TRUE(nup.borderLines.horizontal.empty());
    ASSERT_EQ(nup.borderLines.vertical.size(), 1u);
    EXPECT_NEAR(nup.borderLines.vertical[0].a, nup.sheet.Width() / 2, 0.01);
    EXPECT_FLOAT_EQ(nup.borderLines.dashLength, 6.387482f);
    EXPECT_FLOAT_EQ(nup.borderLines.thickness, 0.3023660f);

    nup.SetRotationFlags(A4(c.pageOrientation));
    const auto e = nup.CellTransform().Elements();
    EXPECT_FLOAT_EQ(e[1], c.m12 * nup.scale) << c.pageOrientation << c.rotationInverted;
    EXPECT_FLOAT_EQ(e[2], -c.m12 * nup.scale);
  }
}

TEST(NUpLayoutTest, CellOrderFollowsThePresentationDirection) {
  NUpLayout nup = NUp(9, 3);  // BottomLeft
  EXPECT_EQ(nup.orderMap[0], (std::pair{2, 0}));
  EXPECT_EQ(nup.orderMap[1], (std::pair{2, 1}));
  EXPECT_EQ(nup.orderMap[3], (std::pair{1, 0}));

  const std::pair<int, int> second[] = {{1, 0}, {0, 1}, {0, 0}, {1, 1}};  // cell index 1
  for (int direction = 0; direction < 4; ++direction)
    EXPECT_EQ(NUp(4, direction).orderMap[1], second[direction]) << direction;
}

TEST(NUpLayoutTest, AReversePortraitPageOnAPortraitSheetIsTurnedHalfWay) {
  NUpLayout nup = NUp(4);
  nup.SetRotationFlags(A4(kReversePortrait));
  EXPECT_FALSE(nup.rotate90);
  EXPECT_TRUE(nup.rotate180);
  const auto e = nup.CellTransform().Elements();
  EXPECT_FLOAT_EQ(e[0], -nup.scale);
  EXPECT_FLOAT_EQ(e[3], -nup.scale);
  EXPECT_FLOAT_EQ(e[1], 0);
}

TEST(NUpLayoutTest, PagesPerSheetBetweenTheGridsTakeTheNextGridSoNoCellIsShared) {
  const std::pair<int, int> cases[] = {{1, 1}, {2, 2},   {3, 4},   {4, 4},  {6, 9},
                                       {9, 9}, {12, 16}, {20, 25}, {36, 25}};
  for (const auto& [requested, laid] : cases)
    EXPECT_EQ(NUpLayout::GridPagesPerSheet(requested), laid) << requested;

  NUpLayout nup = NUp(NUpLayout::GridPagesPerSheet(6));
  std::set<std::pair<int, int>> cells;
  for (int index = 0; index < nup.record.pagesPerSheet; ++index)
    cells.insert(nup.orderMap.at(index));
  EXPECT_EQ(cells.size(), 9u);
}

TEST(NUpLayoutTest, ABookletHasNoBorderLinesAndAPagePerSheetIsPlacedTurnedOnTheTurnedSheet) {
  NUpLayout nup;
  nup.record = {0, 1, 0, 1};
  nup.bookletActive = 0;
  FixedMargins device(5000);
  nup.ComputeSheetGeometry(A4(kPortrait), device);
  EXPECT_FALSE(nup.borderLines.Drawn());
  EXPECT_EQ(nup.sheet.size.orientation, kLandscape);
  const auto e = nup.SinglePagePlacement(A4(kPortrait)).Elements();
  EXPECT_FLOAT_EQ(e[1], 1);  // +90 degrees, not scaled
  EXPECT_FLOAT_EQ(e[2], -1);
}

TEST(PosterLayoutTest, NineSheetsEnlargeThreeTimesAndTileFourShowsTheMiddle) {
  PosterLayout poster;
  poster.SetRecord({9, 0, 0});
  const SheetMedia page = A4(kPortrait);
  poster.SetSizes(page);
  EXPECT_FLOAT_EQ(poster.scale, 3);
  poster.tileIndex = 4;
  poster.ComputeTile();
  const float ox = ToPageUnits(5000);
  const float ew = ToPageUnits(page.area.extentWidth);
  const float eh = ToPageUnits(page.area.extentHeight);
  EXPECT_NEAR(poster.tileClip[0], ox + ew / 3, 0.01);
  EXPECT_NEAR(poster.tileClip[1], ox + eh / 3, 0.01);
  EXPECT_NEAR(poster.tileClip[2], ox + 2 * ew / 3, 0.01);
  EXPECT_NEAR(poster.tileClip[3], ox + 2 * eh / 3, 0.01);
  // The top left of the clip lands on the sheet's printable origin.
  const Gdiplus::PointF corner =
      poster.tileTransform.Apply({poster.tileClip[0], poster.tileClip[1]});
  EXPECT_NEAR(corner.X, ox, 0.01);
  EXPECT_NEAR(corner.Y, ox, 0.01);
}

TEST(PosterLayoutTest, AnUnsupportedSheetCountPrintsTheWholePageOnEachSheet) {
  PosterLayout poster;
  poster.SetRecord({2, 0, 0});
  poster.SetSizes(A4(kPortrait));
  EXPECT_EQ(poster.columns, 1);
  EXPECT_FLOAT_EQ(poster.scale, 1);
  poster.ComputeTile();
  const float first = poster.tileClip[0];
  poster.AdvanceTile();
  poster.ComputeTile();
  EXPECT_EQ(poster.tileIndex, 1);
  EXPECT_FLOAT_EQ(poster.tileClip[0], first);
  EXPECT_TRUE(poster.tileTransform.IsIdentity());
}

TEST(BindingLayoutTest, GutterShiftMovesEachSideAwayFromTheBindingEdge) {
  const float g = 10000 / 264.58f;
  struct Case {
    const char* what;
    int binding;
    int duplex;
    int side;
    int sheet;  // current sheet orientation; the reference is Portrait unless booklet
    int half;
    int control;
    float x;
    float y;
  } cases[] = {
      {"left, one-sided", kBindLeft, kOneSided, 1, kPortrait, 0, 1, g, 0},
      {"left, long edge, front", kBindLeft, kLongEdgeAutomatic, 0, kPortrait, 0, 1, g, 0},
      {"left, long edge, back", kBindLeft, kLongEdgeAutomatic, 1, kPortrait, 0, 1, -g, 0},
      {"left, short edge, back", kBindLeft, kShortEdgeAutomatic, 1, kPortrait, 0, 1, g, 0},
      {"top", kBindTop, kOneSided, 0, kPortrait, 0, 1, 0, g},
      {"left on a turned sheet", kBindLeft, kOneSided, 0, kLandscape, 0, 1, 0, g},
      {"booklet, left half", kBooklet, kShortEdgeAutomatic, 0, kLandscape, 0, 1, -g, 0},
      {"booklet, right half", kBooklet, kShortEdgeAutomatic, 0, kLandscape, 1, 1, g, 0},
      {"gutter control off", kBindLeft, kOneSided, 0, kPortrait, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    BindingLayout binding;
    binding.binding = {0, c.binding, 10000, c.control, 0, 1, 1, 0, 10};
    binding.duplex = {0, c.duplex, 1, 0, 0};
    binding.referenceSheet.orientation = c.binding == kBooklet ? kLandscape : kPortrait;
    binding.currentOrientation = c.sheet;
    binding.sideCounter = c.side;
    binding.bookletHalf = c.half;
    const auto e = binding.GutterShift().Elements();
    EXPECT_NEAR(e[4], c.x, 0.001) << c.what;
    EXPECT_NEAR(e[5], c.y, 0.001) << c.what;
  }
}

}  // namespace
}  // namespace kx
