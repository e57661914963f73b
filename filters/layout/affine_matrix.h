// AffineMatrix: an owned GDI+ 3x2 matrix. Every operation appends (it applies after what the
// matrix already does); a point (x, y) maps to (x*m11 + y*m21 + dx, x*m12 + y*m22 + dy).
// Copies clone the matrix. Failures throw CXDException (E_OUTOFMEMORY when GDI+ cannot make a
// matrix, E_FAIL otherwise). Used on one thread.
#pragma once

#include <array>

#include "gdiplus.h"

namespace kx {

class AffineMatrix {
 public:
  AffineMatrix();  // identity
  AffineMatrix(const AffineMatrix& other);
  AffineMatrix& operator=(const AffineMatrix& other);
  ~AffineMatrix();

  void Reset();
  // Degrees, clockwise on the page: +90 maps (x, y) to (-y, x).
  void Rotate(float degrees);
  void Scale(float sx, float sy);
  void Translate(float dx, float dy);
  // This matrix followed by other.
  void Append(const AffineMatrix& other);

  Gdiplus::PointF Apply(Gdiplus::PointF point) const;
  bool IsIdentity() const;
  // m11, m12, m21, m22, dx, dy.
  std::array<float, 6> Elements() const;
  Gdiplus::GpMatrix* Get() const { return matrix_; }

 private:
  Gdiplus::GpMatrix* matrix_ = nullptr;
};

}  // namespace kx
