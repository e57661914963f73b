// CopyPageParts: makes every part a page references (fonts, images, colour profiles,
// resource dictionaries) a part of another page too.
#pragma once

#include "filterpipeline.h"

namespace kx {

// Walks the source page's parts and hands each to SetPagePart on the target; the first
// failure ends the walk and is returned. Null pages give E_POINTER.
HRESULT CopyPageParts(IFixedPage* source, IFixedPage* target);

}  // namespace kx
