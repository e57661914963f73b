// GDI+ matrices: six single-precision elements; products are computed in double precision.
#include <cmath>
#include <new>
#include <numbers>

#include "gdiplus.h"

namespace Gdiplus {

struct GpMatrix {
  REAL m[6];  // m11, m12, m21, m22, dx, dy
};

namespace {

constexpr GpMatrix kIdentity{{1, 0, 0, 1, 0, 0}};

// a then b: the matrix that applies a first, then b.
GpMatrix Product(const GpMatrix& a, const GpMatrix& b) {
  const auto* x = a.m;
  const auto* y = b.m;
  auto r = [](double v) { return static_cast<REAL>(v); };
  return {
      {r(double(x[0]) * y[0] + double(x[1]) * y[2]), r(double(x[0]) * y[1] + double(x[1]) * y[3]),
       r(double(x[2]) * y[0] + double(x[3]) * y[2]), r(double(x[2]) * y[1] + double(x[3]) * y[3]),
       r(double(x[4]) * y[0] + double(x[5]) * y[2] + y[4]),
       r(double(x[4]) * y[1] + double(x[5]) * y[3] + y[5])}};
}

GpStatus Combine(GpMatrix* matrix, const GpMatrix& operation, MatrixOrder order) {
  if (!matrix) return InvalidParameter;
  if (order == MatrixOrderPrepend) {
    *matrix = Product(operation, *matrix);
  } else if (order == MatrixOrderAppend) {
    *matrix = Product(*matrix, operation);
  } else {
    return InvalidParameter;
  }
  return Ok;
}

double Determinant(const GpMatrix& matrix) {
  return double(matrix.m[0]) * matrix.m[3] - double(matrix.m[1]) * matrix.m[2];
}

GpStatus MapPoints(const GpMatrix* matrix, GpPointF* points, INT count, bool withOffset) {
  if (!matrix || !points || count <= 0) return InvalidParameter;
  const auto* m = matrix->m;
  for (INT i = 0; i < count; ++i) {
    const double x = points[i].X;
    const double y = points[i].Y;
    points[i].X = static_cast<REAL>(x * m[0] + y * m[2] + (withOffset ? m[4] : 0));
    points[i].Y = static_cast<REAL>(x * m[1] + y * m[3] + (withOffset ? m[5] : 0));
  }
  return Ok;
}

}  // namespace

extern "C" {

GpStatus GdipCreateMatrix(GpMatrix** matrix) { return GdipCreateMatrix2(1, 0, 0, 1, 0, 0, matrix); }

GpStatus GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy,
                           GpMatrix** matrix) {
  if (!matrix) return InvalidParameter;
  *matrix = new (std::nothrow) GpMatrix{{m11, m12, m21, m22, dx, dy}};
  return *matrix ? Ok : OutOfMemory;
}

GpStatus GdipCloneMatrix(GpMatrix* matrix, GpMatrix** cloneMatrix) {
  if (!matrix || !cloneMatrix) return InvalidParameter;
  *cloneMatrix = new (std::nothrow) GpMatrix(*matrix);
  return *cloneMatrix ? Ok : OutOfMemory;
}

GpStatus GdipDeleteMatrix(GpMatrix* matrix) {
  if (!matrix) return InvalidParameter;
  delete matrix;
  return Ok;
}

GpStatus GdipSetMatrixElements(GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx,
                               REAL dy) {
  if (!matrix) return InvalidParameter;
  *matrix = GpMatrix{{m11, m12, m21, m22, dx, dy}};
  return Ok;
}

GpStatus GdipGetMatrixElements(const GpMatrix* matrix, REAL* matrixOut) {
  if (!matrix || !matrixOut) return InvalidParameter;
  for (int i = 0; i < 6; ++i) matrixOut[i] = matrix->m[i];
  return Ok;
}

GpStatus GdipMultiplyMatrix(GpMatrix* matrix, GpMatrix* matrix2, MatrixOrder order) {
  if (!matrix2) return InvalidParameter;
  return Combine(matrix, *matrix2, order);
}

GpStatus GdipTranslateMatrix(GpMatrix* matrix, REAL offsetX, REAL offsetY, MatrixOrder order) {
  return Combine(matrix, GpMatrix{{1, 0, 0, 1, offsetX, offsetY}}, order);
}

GpStatus GdipScaleMatrix(GpMatrix* matrix, REAL scaleX, REAL scaleY, MatrixOrder order) {
  return Combine(matrix, GpMatrix{{scaleX, 0, 0, scaleY, 0, 0}}, order);
}

GpStatus GdipRotateMatrix(GpMatrix* matrix, REAL angle, MatrixOrder order) {
  const double radians = angle * std::numbers::pi / 180.0;
  const auto c = static_cast<REAL>(std::cos(radians));
  const auto s = static_cast<REAL>(std::sin(radians));
  return Combine(matrix, GpMatrix{{c, s, -s, c, 0, 0}}, order);
}

GpStatus GdipShearMatrix(GpMatrix* matrix, REAL shearX, REAL shearY, MatrixOrder order) {
  return Combine(matrix, GpMatrix{{1, shearY, shearX, 1, 0, 0}}, order);
}

GpStatus GdipInvertMatrix(GpMatrix* matrix) {
  if (!matrix) return InvalidParameter;
  const double det = Determinant(*matrix);
  if (det == 0 || !std::isfinite(det)) return InvalidParameter;
  const auto* m = matrix->m;
  auto r = [](double v) { return static_cast<REAL>(v); };
  *matrix = GpMatrix{{r(m[3] / det), r(-m[1] / det), r(-m[2] / det), r(m[0] / det),
                      r((double(m[2]) * m[5] - double(m[3]) * m[4]) / det),
                      r((double(m[1]) * m[4] - double(m[0]) * m[5]) / det)}};
  return Ok;
}

GpStatus GdipTransformMatrixPoints(GpMatrix* matrix, GpPointF* pts, INT count) {
  return MapPoints(matrix, pts, count, true);
}

GpStatus GdipVectorTransformMatrixPoints(GpMatrix* matrix, GpPointF* pts, INT count) {
  return MapPoints(matrix, pts, count, false);
}

GpStatus GdipIsMatrixIdentity(const GpMatrix* matrix, BOOL* result) {
  if (!matrix || !result) return InvalidParameter;
  *result = TRUE;
  for (int i = 0; i < 6; ++i)
    if (matrix->m[i] != kIdentity.m[i]) *result = FALSE;
  return Ok;
}

GpStatus GdipIsMatrixInvertible(const GpMatrix* matrix, BOOL* result) {
  if (!matrix || !result) return InvalidParameter;
  const double det = Determinant(*matrix);
  *result = det != 0 && std::isfinite(det);
  return Ok;
}

}  // extern "C"

}  // namespace Gdiplus
