// GdiplusInit: GDI+ started for the lifetime of its owner.
#pragma once

#include "gdiplus.h"

namespace kx {

class GdiplusInit {
 public:
  GdiplusInit();
  GdiplusInit(const GdiplusInit&) = delete;
  GdiplusInit& operator=(const GdiplusInit&) = delete;
  virtual ~GdiplusInit();

  Gdiplus::Status Status() const { return status_; }

 private:
  ULONG_PTR token_ = 0;
  Gdiplus::Status status_ = Gdiplus::GdiplusNotInitialized;
};

}  // namespace kx
