// PosterLayout: one page enlarged over several sheets. Holds the page's poster settings, the
// tile grid and the transform and clip of the next tile. Per-job state of the layout filter;
// the settings come from each page's ticket.
#pragma once

#include <map>
#include <utility>

#include "affine_matrix.h"
#include "layout_component.h"
#include "poster_settings.h"
#include "sheet_media.h"

namespace kx {

class PosterLayout final : public LayoutComponent {
 public:
  HRESULT Accept(LayoutVisitor& visitor) override { return visitor.VisitPoster(*this); }
  bool IsActive() const override { return record.sheetsPerPage != 0; }

  void Reset();
  // Stores the page's settings and lays out the grid: n x n tiles for 4, 9, 16 or 25 sheets
  // per page, one tile (printed that many times) for any other count.
  void SetRecord(const PosterSettings& settings);
  // Tile and enlargement from the page's printable area.
  void SetSizes(const SheetMedia& page);
  // The transform and clip of the current tile (recomputed when posterDirty).
  void ComputeTile();
  void AdvanceTile();

  PosterSettings record;
  AffineMatrix tileTransform;
  float tileClip[4] = {};  // x0, y0, x1, y1 in page coordinates
  float totalWidth = 0;
  float totalHeight = 0;
  float tileWidth = 0;
  float tileHeight = 0;
  float originX = 0;
  float originY = 0;
  float scale = 1.0f;
  bool posterDirty = true;
  int columns = 1;
  int rows = 1;
  int tileIndex = 0;
  std::map<int, std::pair<int, int>> tileMap;  // tile index -> (column, row)
};

}  // namespace kx
