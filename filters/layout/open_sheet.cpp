#include "open_sheet.h"

#include "canvas_fragment_rewriter.h"
#include "copy_page_parts.h"
#include "kx/hresult_error.h"
#include "rewrite_page.h"
#include "sheet_markup.h"
#include "write_chunked.h"

namespace kx {

HRESULT OpenNewSheet(IXpsDocumentConsumer* writer, float width, float height,
                     const AffineMatrix& sheetTransform, SheetPartNames& names, OpenSheet* sheet) {
  if (!writer || !sheet) return E_POINTER;
  return HResultBoundary([&] {
    OpenSheet opened;
    const std::u16string name = names.Sheet();
    HRESULT hr = writer->GetNewEmptyPart(name.c_str(), IID_IFixedPage,
                                         opened.page.ReleaseAndGetVoidAddressOf(),
                                         opened.stream.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    if (!opened.IsOpen()) return E_FAIL;
    TextBuffer text;
    AppendPageHeader(text, width, height);
    if (!sheetTransform.IsIdentity()) {
      AppendOuterCanvas(text, sheetTransform, width, height);
      opened.outerCanvas = true;
    }
    hr = WriteTextAsUtf8(&text, opened.stream.Get());
    if (FAILED(hr)) {
      opened.stream->Close();
      return hr;
    }
    *sheet = std::move(opened);
    return S_OK;
  });
}

HRESULT DrawPage(OpenSheet& sheet, IFixedPage* page, CanvasPlacement& placement) {
  if (!sheet.IsOpen() || !page) return E_POINTER;
  auto rewriter = MakeComObject<CanvasFragmentRewriter>(sheet.stream.Get(), placement);
  HRESULT hr = RewritePage(page, rewriter.Get());
  const HRESULT finished = rewriter->Finish();
  if (SUCCEEDED(hr)) hr = finished;
  return FAILED(hr) ? hr : CopyPageParts(page, sheet.page.Get());
}

HRESULT CloseSheet(IXpsDocumentConsumer* writer, OpenSheet& sheet) {
  if (!writer) return E_POINTER;
  if (!sheet.stream) return S_OK;
  const HRESULT hr = HResultBoundary([&] {
    TextBuffer text;
    AppendBorderPath(text, sheet.borderLines);
    text.Append(sheet.outerCanvas ? kOuterCanvasPageEnd : kPageEnd);
    return WriteTextAsUtf8(&text, sheet.stream.Get());
  });
  sheet.stream->Close();
  sheet.stream.Reset();
  return hr;
}

}  // namespace kx
