#include "poster_layout.h"

#include <algorithm>

namespace kx {

void PosterLayout::Reset() { *this = PosterLayout{}; }

void PosterLayout::SetRecord(const PosterSettings& settings) {
  record = settings;
  const int sheets = record.sheetsPerPage;
  const int n = sheets == 4 ? 2 : sheets == 9 ? 3 : sheets == 16 ? 4 : sheets == 25 ? 5 : 1;
  columns = rows = n;
  tileMap.clear();
  for (int row = 0; row < n; ++row)
    for (int column = 0; column < n; ++column) tileMap[column + row * n] = {column, row};
  posterDirty = true;
}

void PosterLayout::SetSizes(const SheetMedia& page) {
  tileWidth = ToPageUnits(page.area.extentWidth);
  tileHeight = ToPageUnits(page.area.extentHeight);
  originX = ToPageUnits(page.area.originWidth);
  originY = ToPageUnits(page.area.originHeight);
  totalWidth = static_cast<float>(columns) * tileWidth;
  totalHeight = static_cast<float>(rows) * tileHeight;
  scale = tileWidth > 0 && tileHeight > 0
              ? std::min(totalHeight / tileHeight, totalWidth / tileWidth)
              : static_cast<float>(columns);
  posterDirty = true;
}

void PosterLayout::ComputeTile() {
  if (!posterDirty) return;
  posterDirty = false;
  tileTransform.Reset();
  tileTransform.Scale(scale, scale);
  // The enlargement keeps the imageable origin where it is.
  const Gdiplus::PointF origin = tileTransform.Apply({originX, originY});
  tileTransform.Translate(originX - origin.X, originY - origin.Y);
  const auto tile = tileMap.find(tileIndex);
  const auto [column, row] = tile == tileMap.end() ? std::pair{0, 0} : tile->second;
  tileTransform.Translate(-static_cast<float>(column) * tileWidth,
                          -static_cast<float>(row) * tileHeight);
  tileClip[0] = tileWidth / scale * static_cast<float>(column) + originX;
  tileClip[1] = tileHeight / scale * static_cast<float>(row) + originY;
  tileClip[2] = tileClip[0] + tileWidth / scale;
  tileClip[3] = tileClip[1] + tileHeight / scale;
}

void PosterLayout::AdvanceTile() {
  if (++tileIndex >= record.sheetsPerPage) tileIndex = 0;
  posterDirty = true;
}

}  // namespace kx
