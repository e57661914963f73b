// Test control of the GDI+ stand-in: makes GdiplusStartup fail with a given status.
#pragma once

#include "gdiplus.h"

namespace kx {

// Every GdiplusStartup answers `status` until it is set back to Ok.
void SetGdiplusStartupFailure(Gdiplus::Status status);

}  // namespace kx
