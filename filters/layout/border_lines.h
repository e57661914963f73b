// BorderLines: the lines drawn between the cells of a composed sheet, in sheet coordinates
// (1/96 inch). A plain value, copied from the N-up geometry to a slot and to the open sheet.
#pragma once

#include <vector>

namespace kx {

// A horizontal segment is (x1, y, x2); a vertical one (x, y1, y2).
struct BorderSegment {
  float a;
  float b;
  float c;
};

struct BorderLines {
  float thickness = 0;
  float dashLength = 0;
  std::vector<BorderSegment> horizontal;
  std::vector<BorderSegment> vertical;
  int style = 0;  // 0 none, 1 solid, 2 dashed

  bool Drawn() const { return style != 0 && (!horizontal.empty() || !vertical.empty()); }
  void Clear() { *this = BorderLines{}; }
};

}  // namespace kx
