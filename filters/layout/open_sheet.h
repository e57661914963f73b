// OpenSheet: the composed sheet being filled: its new page part, the content stream kept open
// while pages are drawn into it, and the border lines to draw when it is closed. The
// operations make a sheet, draw a page into it and close it; the caller sends the page.
#pragma once

#include "affine_matrix.h"
#include "border_lines.h"
#include "canvas_placement.h"
#include "filterpipeline.h"
#include "kx/com_ptr.h"
#include "part_names.h"

namespace kx {

struct OpenSheet {
  ComPtr<IFixedPage> page;
  ComPtr<IPrintWriteStream> stream;
  bool outerCanvas = false;
  BorderLines borderLines;

  bool IsOpen() const { return page && stream; }
};

// A new sheet page of width x height (1/96 inch) named "/LO_NUpPage_<n>.xml", its header
// written; a transform that is not the identity (the gutter shift) becomes an outer Canvas.
HRESULT OpenNewSheet(IXpsDocumentConsumer* writer, float width, float height,
                     const AffineMatrix& sheetTransform, SheetPartNames& names, OpenSheet* sheet);

// The page's content as a Canvas placed by placement, and its resources made parts of the
// sheet.
HRESULT DrawPage(OpenSheet& sheet, IFixedPage* page, CanvasPlacement& placement);

// Writes the border lines and the end of the page and closes the stream (also when writing
// failed). S_OK and nothing written when no sheet is open. The record keeps the page.
HRESULT CloseSheet(IXpsDocumentConsumer* writer, OpenSheet& sheet);

}  // namespace kx
