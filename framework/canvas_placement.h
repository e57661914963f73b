// CanvasPlacement: where a page's content goes on the page being built, as the caller (the
// layout geometry) supplies it to the Canvas rewriters.
#pragma once

#include "format_matrix.h"

namespace kx {

class CanvasPlacement : public MatrixSource {
 public:
  // GetTransform (MatrixSource) multiplies the transform that places the page into the given
  // identity matrix.

  // Two opposite corners of the clip rectangle, in the page's coordinates.
  virtual HRESULT GetClipCorners(Gdiplus::PointF* first, Gdiplus::PointF* second) = 0;

 protected:
  ~CanvasPlacement() = default;
};

}  // namespace kx
