#include "format_clip_rectangle.h"

#include "kx/hresult_error.h"
#include "text_buffer.h"

namespace kx {

HRESULT FormatClipRectangle(Gdiplus::PointF first, Gdiplus::PointF second, BSTR* text) {
  if (!text) return E_POINTER;
  *text = nullptr;
  return HResultBoundary([&] {
    TextBuffer buffer;
    buffer.Format(u"M %.2f,%.2f L %.2f,%.2f L %.2f,%.2f L %.2f,%.2f Z", first.X, first.Y, second.X,
                  first.Y, second.X, second.Y, first.X, second.Y);
    return buffer.CopyTo(text);
  });
}

}  // namespace kx
