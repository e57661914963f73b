#include "gdiplus_init.h"

namespace kx {

GdiplusInit::GdiplusInit() {
  Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, nothing suppressed
  status_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

GdiplusInit::~GdiplusInit() {
  if (status_ == Gdiplus::Ok) Gdiplus::GdiplusShutdown(token_);
  token_ = 0;
  status_ = Gdiplus::GdiplusNotInitialized;
}

}  // namespace kx
