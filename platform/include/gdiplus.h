// GDI+ flat API: start-up and shut-down.
#pragma once

#include "windef.h"

namespace Gdiplus {

enum Status : INT {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20,
};

using DebugEventProc = void(WINAPI*)(INT level, CHAR* message);

struct GdiplusStartupInput {
  UINT32 GdiplusVersion = 1;
  DebugEventProc DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = 0;
  BOOL SuppressExternalCodecs = 0;
};

struct GdiplusStartupOutput {
  void* NotificationHook;
  void* NotificationUnhook;
};

extern "C" {
// Start-up is counted; every successful call needs one GdiplusShutdown with its token.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                      GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);
}

}  // namespace Gdiplus

// GDI+ flat API: 3x2 affine matrices. A point (x, y) maps to
// (x*m11 + y*m21 + dx, x*m12 + y*m22 + dy). Prepend applies the new operation before the
// matrix's own, Append after it. Elements are single precision, as in GDI+.
namespace Gdiplus {

using REAL = float;
using GpStatus = Status;

enum MatrixOrder : INT { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };

struct PointF {
  REAL X;
  REAL Y;
};
using GpPointF = PointF;

struct GpMatrix;

extern "C" {
// A new identity matrix.
GpStatus GdipCreateMatrix(GpMatrix** matrix);
GpStatus GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy,
                           GpMatrix** matrix);
GpStatus GdipCloneMatrix(GpMatrix* matrix, GpMatrix** cloneMatrix);
GpStatus GdipDeleteMatrix(GpMatrix* matrix);
GpStatus GdipSetMatrixElements(GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx,
                               REAL dy);
// Six elements: m11, m12, m21, m22, dx, dy.
GpStatus GdipGetMatrixElements(const GpMatrix* matrix, REAL* matrixOut);
GpStatus GdipMultiplyMatrix(GpMatrix* matrix, GpMatrix* matrix2, MatrixOrder order);
GpStatus GdipTranslateMatrix(GpMatrix* matrix, REAL offsetX, REAL offsetY, MatrixOrder order);
GpStatus GdipScaleMatrix(GpMatrix* matrix, REAL scaleX, REAL scaleY, MatrixOrder order);
// angle in degrees, clockwise in page coordinates (y down).
GpStatus GdipRotateMatrix(GpMatrix* matrix, REAL angle, MatrixOrder order);
GpStatus GdipShearMatrix(GpMatrix* matrix, REAL shearX, REAL shearY, MatrixOrder order);
// InvalidParameter for a singular matrix, which is left unchanged.
GpStatus GdipInvertMatrix(GpMatrix* matrix);
GpStatus GdipTransformMatrixPoints(GpMatrix* matrix, GpPointF* pts, INT count);
// Like GdipTransformMatrixPoints without the offset.
GpStatus GdipVectorTransformMatrixPoints(GpMatrix* matrix, GpPointF* pts, INT count);
GpStatus GdipIsMatrixIdentity(const GpMatrix* matrix, BOOL* result);
GpStatus GdipIsMatrixInvertible(const GpMatrix* matrix, BOOL* result);
}

}  // namespace Gdiplus
