#include "shifted_page.h"

#include "in_place_page_rewriter.h"
#include "rewrite_page.h"

namespace kx {

HRESULT ShiftPageInPlace(IFixedPage* page, CanvasPlacement& placement) {
  if (!page) return E_POINTER;
  ComPtr<IPrintWriteStream> stream;
  HRESULT hr = page->GetWriteStream(stream.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  if (!stream) return E_FAIL;
  {
    auto rewriter = MakeComObject<InPlacePageRewriter>(stream.Get(), placement);
    hr = RewritePage(page, rewriter.Get());
    const HRESULT finished = rewriter->Finish();
    if (SUCCEEDED(hr)) hr = finished;
  }
  stream->Close();
  return hr;
}

}  // namespace kx
