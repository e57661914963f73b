// The markup the layout filter writes itself: the start of a new page, the outer Canvas that
// shifts a whole sheet, the border lines and the page end. Numbers are printed with two
// decimals.
#pragma once

#include "affine_matrix.h"
#include "border_lines.h"
#include "text_buffer.h"

namespace kx {

// XML declaration and FixedPage start tag.
void AppendPageHeader(TextBuffer& text, float width, float height);
// A Canvas with the transform, clipped to the sheet.
void AppendOuterCanvas(TextBuffer& text, const AffineMatrix& transform, float width, float height);
// One Path with every segment; nothing when no line is drawn.
void AppendBorderPath(TextBuffer& text, const BorderLines& lines);

inline constexpr WCHAR kPageEnd[] = u"</FixedPage>";
inline constexpr WCHAR kOuterCanvasPageEnd[] = u"</Canvas></FixedPage>";

}  // namespace kx
