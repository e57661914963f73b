// The text of an XPS Clip path for an axis-aligned rectangle.
#pragma once

#include "gdiplus.h"
#include "oleauto.h"

namespace kx {

// "M x0,y0 L x1,y0 L x1,y1 L x0,y1 Z" with two decimals, into a new BSTR.
HRESULT FormatClipRectangle(Gdiplus::PointF first, Gdiplus::PointF second, BSTR* text);

}  // namespace kx
