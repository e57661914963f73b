// WriteEmptyPage: a blank sheet side: a new page part "/LO_Empty_<n>.xml" of the sheet's size
// with no content, its stream closed. The caller gives it a ticket and sends it.
#pragma once

#include "filterpipeline.h"
#include "kx/com_ptr.h"
#include "part_names.h"

namespace kx {

HRESULT WriteEmptyPage(IXpsDocumentConsumer* writer, float width, float height,
                       SheetPartNames& names, ComPtr<IFixedPage>* page);

}  // namespace kx
