// The text of an XPS RenderTransform from a GDI+ matrix.
#pragma once

#include "gdiplus.h"
#include "oleauto.h"

namespace kx {

// Anything that supplies a transform: it fills the given matrix (which starts as identity).
class MatrixSource {
 public:
  virtual HRESULT GetTransform(Gdiplus::GpMatrix* matrix) = 0;

 protected:
  ~MatrixSource() = default;
};

// "%.6f,%.6f,%.6f,%.6f,%.3f,%.3f" of M11, M12, M21, M22, OffsetX, OffsetY into a new BSTR.
// The source's failure is returned; a GDI+ failure gives E_FAIL; either leaves a null BSTR.
HRESULT FormatMatrix(MatrixSource* source, BSTR* text);

}  // namespace kx
