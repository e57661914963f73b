#include "nup_layout.h"

#include <algorithm>
#include <utility>

namespace kx {
namespace {

// Line thickness (80 microns) and dash length (1690 microns) of the border lines.
constexpr float kBorderThickness = 0.3023660f;
constexpr float kBorderDashLength = 6.387482f;

int TurnedOrientation(int orientation) {
  switch (orientation) {
    case kPortrait:
      return kLandscape;
    case kReversePortrait:
      return kReverseLandscape;
    case kLandscape:
      return kPortrait;
    default:
      return kReversePortrait;
  }
}

ImageableAreaSettings Transposed(const ImageableAreaSettings& area) {
  return {area.imageableHeight, area.imageableWidth, area.originHeight,
          area.originWidth,     area.extentHeight,   area.extentWidth};
}

}  // namespace

int NUpLayout::GridPagesPerSheet(int requested) {
  if (requested <= 2) return requested;
  for (int side = 2; side < 5; ++side)
    if (requested <= side * side) return side * side;
  return 25;
}

void NUpLayout::Reset() { *this = NUpLayout{}; }

void NUpLayout::ComputeSheetGeometry(const SheetMedia& page, ImageableAreaSource& device) {
  geometryDirty = false;
  sheet = page;
  pagePortrait = IsPortraitClass(page.size.orientation);

  // The printable extent of the page upright and turned, so that one scale fits both.
  const int across = pagePortrait ? page.size.width : page.size.height;
  const int down = pagePortrait ? page.size.height : page.size.width;
  float portraitWidth = ToPageUnits(across);
  float portraitHeight = ToPageUnits(down);
  float landscapeWidth = portraitHeight;
  float landscapeHeight = portraitWidth;
  MediaSizeSettings media = page.size;
  ImageableAreaSettings area{};
  media.orientation = kPortrait;
  if (SUCCEEDED(device.ImageableAreaOf(media, &area))) {
    portraitWidth = ToPageUnits(area.extentWidth);
    portraitHeight = ToPageUnits(area.extentHeight);
  }
  media.orientation = kLandscape;
  if (SUCCEEDED(device.ImageableAreaOf(media, &area))) {
    landscapeWidth = ToPageUnits(area.extentWidth);
    landscapeHeight = ToPageUnits(area.extentHeight);
  }

  if (TurnsSheet()) {
    sheet.size.orientation = TurnedOrientation(sheet.size.orientation);
    area = sheet.area;
    sheet.area =
        SUCCEEDED(device.ImageableAreaOf(sheet.size, &area)) ? area : Transposed(sheet.area);
    columns = pagePortrait ? 2 : 1;
    rows = pagePortrait ? 1 : 2;
  } else {
    const int side = GridPagesPerSheet(record.pagesPerSheet);
    columns = rows = side == 4 ? 2 : side == 9 ? 3 : side == 16 ? 4 : side == 25 ? 5 : 1;
  }
  device.RestoreMedia(page.size);
  BuildOrderMap();

  const float w = sheet.Width();
  const float h = sheet.Height();
  const float ox = ToPageUnits(sheet.area.originWidth);
  const float oy = ToPageUnits(sheet.area.originHeight);
  const float ew = ToPageUnits(sheet.area.extentWidth);
  const float eh = ToPageUnits(sheet.area.extentHeight);
  // Each cell is the whole sheet reduced; the cells touch, and the grid is moved up and left
  // by the reduced margin so that the printable parts of the cells fill the printable extent.
  const float a = static_cast<float>(columns - 1) * w + ew;
  const float d = static_cast<float>(rows - 1) * h + eh;
  cellWidth = ew * w / a;
  cellHeight = eh * h / d;
  gridOriginX = ox;
  gridOriginY = oy;
  cellOffsetX = (w - ew) * ew / (a * 2);
  cellOffsetY = (h - eh) * eh / (d * 2);
  const float cw = ew * ew / a;
  const float ch = eh * eh / d;

  const bool sheetPortrait = IsPortraitClass(sheet.size.orientation);
  const bool cellPortrait = TurnsSheet() ? !sheetPortrait : sheetPortrait;
  scale = cellPortrait ? std::min(std::min(cw / portraitWidth, ch / portraitHeight),
                                  std::min(cw / landscapeHeight, ch / landscapeWidth))
                       : std::min(std::min(cw / landscapeWidth, ch / landscapeHeight),
                                  std::min(cw / portraitHeight, ch / portraitWidth));
  BuildBorderLines(ew, eh);
  cellDirty = true;
}

void NUpLayout::BuildOrderMap() {
  orderMap.clear();
  const int direction = IsBooklet() ? bookletDirection : record.direction;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      int index = column + row * columns;
      switch (direction) {
        case 1:
          index = row + column * rows;
          break;
        case 2:
          index = row * columns + (columns - 1 - column);
          break;
        case 3:
          index = row + (columns - 1 - column) * rows;
          break;
        default:
          break;
      }
      orderMap[index] = {column, row};
    }
  }
}

void NUpLayout::BuildBorderLines(float extentWidth, float extentHeight) {
  borderLines.Clear();
  if (record.border == 0 || bookletActive != -1) return;
  for (int i = 1; i < rows; ++i) {
    const float y = gridOriginY - cellOffsetY + static_cast<float>(i) * cellHeight;
    borderLines.horizontal.push_back({gridOriginX, y, gridOriginX + extentWidth});
  }
  for (int i = 1; i < columns; ++i) {
    const float x = gridOriginX - cellOffsetX + static_cast<float>(i) * cellWidth;
    borderLines.vertical.push_back({x, gridOriginY, gridOriginY + extentHeight});
  }
  borderLines.thickness = kBorderThickness;
  borderLines.dashLength = kBorderDashLength;
  borderLines.style = record.border;
}

void NUpLayout::SetRotationFlags(const SheetMedia& page) {
  const int orientation = page.size.orientation;
  pagePortrait = IsPortraitClass(orientation);
  const bool sheetPortrait = IsPortraitClass(sheet.size.orientation);
  const bool cellPortrait = TurnsSheet() ? !sheetPortrait : sheetPortrait;
  rotate90 = pagePortrait != cellPortrait;
  rotate180 = IsReverse(sheet.size.orientation) != IsReverse(orientation);
  pageWidth = page.Width();
  pageHeight = page.Height();
}

const AffineMatrix& NUpLayout::CellTransform() {
  if (!cellDirty) return cellTransform;
  cellDirty = false;
  cellTransform.Reset();
  if (rotate90) {
    float angle = pagePortrait ? 90.0f : -90.0f;
    if (rotate180) angle = -angle;
    if (rotationInverted) angle = -angle;
    cellTransform.Rotate(angle);
  } else if (rotate180) {
    cellTransform.Rotate(180.0f);
  }
  cellTransform.Scale(scale, scale);
  const Gdiplus::PointF centre = cellTransform.Apply({pageWidth / 2, pageHeight / 2});
  const auto cell = orderMap.find(cellIndex);
  const auto [column, row] = cell == orderMap.end() ? std::pair{0, 0} : cell->second;
  const float x =
      gridOriginX - cellOffsetX + static_cast<float>(column) * cellWidth + cellWidth / 2;
  const float y = gridOriginY - cellOffsetY + static_cast<float>(row) * cellHeight + cellHeight / 2;
  cellTransform.Translate(x - centre.X, y - centre.Y);
  return cellTransform;
}

AffineMatrix NUpLayout::SinglePagePlacement(const SheetMedia& page) const {
  AffineMatrix placement;
  const bool portrait = IsPortraitClass(page.size.orientation);
  if (portrait != IsPortraitClass(sheet.size.orientation)) {
    float angle = portrait ? 90.0f : -90.0f;
    if (rotationInverted) angle = -angle;
    placement.Rotate(angle);
  }
  const Gdiplus::PointF centre = placement.Apply({page.Width() / 2, page.Height() / 2});
  placement.Translate(sheet.Width() / 2 - centre.X, sheet.Height() / 2 - centre.Y);
  return placement;
}

void NUpLayout::AdvanceCell() {
  cellDirty = true;
  if (++cellIndex >= record.pagesPerSheet) cellIndex = 0;
}

}  // namespace kx
