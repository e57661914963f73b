// ShiftPageInPlace: rewrites a page that is forwarded alone into its own write stream, its
// content wrapped in a Canvas with the placement's transform (the gutter shift) and a clip of
// the page's own size.
#pragma once

#include "canvas_placement.h"
#include "filterpipeline.h"

namespace kx {

HRESULT ShiftPageInPlace(IFixedPage* page, CanvasPlacement& placement);

}  // namespace kx
