#include "format_matrix.h"

#include <memory>

#include "kx/hresult_error.h"
#include "text_buffer.h"

namespace kx {
namespace {

struct MatrixDeleter {
  void operator()(Gdiplus::GpMatrix* matrix) const { Gdiplus::GdipDeleteMatrix(matrix); }
};

}  // namespace

HRESULT FormatMatrix(MatrixSource* source, BSTR* text) {
  if (!text) return E_POINTER;
  *text = nullptr;
  if (!source) return E_POINTER;
  return HResultBoundary([&] {
    Gdiplus::GpMatrix* created = nullptr;
    if (Gdiplus::GdipCreateMatrix(&created) != Gdiplus::Ok) return E_FAIL;
    const std::unique_ptr<Gdiplus::GpMatrix, MatrixDeleter> matrix(created);
    const HRESULT hr = source->GetTransform(matrix.get());
    if (FAILED(hr)) return hr;
    Gdiplus::REAL m[6];
    if (Gdiplus::GdipGetMatrixElements(matrix.get(), m) != Gdiplus::Ok) return E_FAIL;
    TextBuffer buffer;
    buffer.Format(u"%.6f,%.6f,%.6f,%.6f,%.3f,%.3f", m[0], m[1], m[2], m[3], m[4], m[5]);
    return buffer.CopyTo(text);
  });
}

}  // namespace kx
