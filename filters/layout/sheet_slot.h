// SheetSlot: one step of the sheet state machine for a page: the page placed in a cell, a
// poster tile, an empty side, or the closing of the open sheet. Built by PagePlanner, given its
// transform and clip by SlotPlacer, consumed by SheetWriter; lives for one page.
#pragma once

#include "affine_matrix.h"
#include "border_lines.h"
#include "gdiplus.h"

namespace kx {

struct SheetSlot {
  bool blank = false;  // an empty side (with tile: the unprinted back of a tile)
  bool tile = false;
  bool flush = false;  // close and send the open sheet; nothing else
  bool twoSided = false;
  bool opensSheet = false;
  bool closesSheet = true;
  AffineMatrix transform;
  Gdiplus::PointF clip[2] = {};  // in the source page's coordinates
  BorderLines borderLines;

  static SheetSlot Page() { return Make(false, false, false); }
  static SheetSlot Tile() { return Make(false, true, false); }
  static SheetSlot Blank() { return Make(true, false, false); }
  static SheetSlot TileBack() { return Make(true, true, false); }
  static SheetSlot Flush() { return Make(false, false, true); }

 private:
  static SheetSlot Make(bool blank, bool tile, bool flush) {
    SheetSlot slot;
    slot.blank = blank;
    slot.tile = tile;
    slot.flush = flush;
    return slot;
  }
};

}  // namespace kx
