#include "affine_matrix.h"

#include <cmath>

#include "cxd_exception.h"

namespace kx {
namespace {

void Check(Gdiplus::GpStatus status) {
  if (status == Gdiplus::OutOfMemory) throw CXDException(E_OUTOFMEMORY);
  if (status != Gdiplus::Ok) throw CXDException(E_FAIL);
}

}  // namespace

AffineMatrix::AffineMatrix() { Check(Gdiplus::GdipCreateMatrix(&matrix_)); }

AffineMatrix::AffineMatrix(const AffineMatrix& other) {
  Check(Gdiplus::GdipCloneMatrix(other.matrix_, &matrix_));
}

AffineMatrix& AffineMatrix::operator=(const AffineMatrix& other) {
  if (this != &other) {
    const auto e = other.Elements();
    Check(Gdiplus::GdipSetMatrixElements(matrix_, e[0], e[1], e[2], e[3], e[4], e[5]));
  }
  return *this;
}

AffineMatrix::~AffineMatrix() {
  if (matrix_) Gdiplus::GdipDeleteMatrix(matrix_);
}

void AffineMatrix::Reset() { Check(Gdiplus::GdipSetMatrixElements(matrix_, 1, 0, 0, 1, 0, 0)); }

void AffineMatrix::Rotate(float degrees) {
  // Quarter turns are made exact, so that a turned page carries no -0.000000 or 1e-17 terms.
  const float turns = degrees / 90;
  if (turns != std::floor(turns)) {
    Check(Gdiplus::GdipRotateMatrix(matrix_, degrees, Gdiplus::MatrixOrderAppend));
    return;
  }
  static constexpr float kCos[] = {1, 0, -1, 0};
  static constexpr float kSin[] = {0, 1, 0, -1};
  const int k = ((static_cast<int>(turns) % 4) + 4) % 4;
  AffineMatrix rotation;
  Check(
      Gdiplus::GdipSetMatrixElements(rotation.matrix_, kCos[k], kSin[k], -kSin[k], kCos[k], 0, 0));
  Append(rotation);
  auto e = Elements();
  for (float& element : e) element += 0.0f;  // -0 becomes 0
  Check(Gdiplus::GdipSetMatrixElements(matrix_, e[0], e[1], e[2], e[3], e[4], e[5]));
}

void AffineMatrix::Scale(float sx, float sy) {
  Check(Gdiplus::GdipScaleMatrix(matrix_, sx, sy, Gdiplus::MatrixOrderAppend));
}

void AffineMatrix::Translate(float dx, float dy) {
  Check(Gdiplus::GdipTranslateMatrix(matrix_, dx, dy, Gdiplus::MatrixOrderAppend));
}

void AffineMatrix::Append(const AffineMatrix& other) {
  Check(Gdiplus::GdipMultiplyMatrix(matrix_, other.matrix_, Gdiplus::MatrixOrderAppend));
}

Gdiplus::PointF AffineMatrix::Apply(Gdiplus::PointF point) const {
  Check(Gdiplus::GdipTransformMatrixPoints(matrix_, &point, 1));
  return point;
}

bool AffineMatrix::IsIdentity() const {
  BOOL identity = FALSE;
  Check(Gdiplus::GdipIsMatrixIdentity(matrix_, &identity));
  return identity != FALSE;
}

std::array<float, 6> AffineMatrix::Elements() const {
  std::array<float, 6> elements{};
  Check(Gdiplus::GdipGetMatrixElements(matrix_, elements.data()));
  return elements;
}

}  // namespace kx
