// NUpLayout: several pages reduced onto one sheet. Holds the job's N-up settings, the sheet
// the cells are laid on, the cell grid with its order, scale and border lines, and the index
// of the next cell. Also places a page alone on a sheet of a two-sided job without N-up.
// Per-job state of the layout filter; reset at every job start.
#pragma once

#include <map>
#include <utility>

#include "affine_matrix.h"
#include "border_lines.h"
#include "imageable_area_source.h"
#include "layout_component.h"
#include "nup_settings.h"
#include "sheet_media.h"

namespace kx {

class NUpLayout final : public LayoutComponent {
 public:
  HRESULT Accept(LayoutVisitor& visitor) override { return visitor.VisitNUp(*this); }
  bool IsActive() const override { return record.pagesPerSheet > 0; }

  // The pages per sheet actually laid out: values between the supported grids take the next
  // larger grid, so that no two pages of a sheet share a cell.
  static int GridPagesPerSheet(int requested);

  void Reset();
  bool IsBooklet() const { return bookletActive == 0; }
  // A booklet or 2 per sheet turns the sheet and puts two cells side by side.
  bool TurnsSheet() const { return IsBooklet() || record.pagesPerSheet == 2; }

  // Lays out the sheet for the first cell: orientation, grid, order, cell sizes, scale and
  // border lines. Clears geometryDirty.
  void ComputeSheetGeometry(const SheetMedia& page, ImageableAreaSource& device);
  // How the current page is turned into its cell; set for every page.
  void SetRotationFlags(const SheetMedia& page);
  // The transform that puts the page into cell cellIndex (recomputed when cellDirty).
  const AffineMatrix& CellTransform();
  // The page centred on the sheet, turned when its orientation class differs, not scaled.
  AffineMatrix SinglePagePlacement(const SheetMedia& page) const;
  void AdvanceCell();

  AffineMatrix cellTransform;
  int cellIndex = 0;
  bool cellDirty = true;
  bool rotationInverted = false;
  bool rotate180 = false;
  bool geometryDirty = true;
  bool rotate90 = false;
  bool pagePortrait = true;
  int columns = 1;
  int rows = 1;
  float cellWidth = 0;
  float cellHeight = 0;
  float pageWidth = 0;
  float pageHeight = 0;
  float gridOriginX = 0;
  float gridOriginY = 0;
  float cellOffsetX = 0;
  float cellOffsetY = 0;
  std::map<int, std::pair<int, int>> orderMap;  // cell index -> (column, row)
  BorderLines borderLines;
  float scale = 1.0f;
  NUpSettings record{-1, 0, 0, 1};
  int bookletActive = -1;
  int bookletDirection = 0;
  SheetMedia sheet;
  bool mergeFlag = false;

 private:
  void BuildOrderMap();
  void BuildBorderLines(float extentWidth, float extentHeight);
};

}  // namespace kx
