#include "rewrite_page.h"

#include "kx/hresult_error.h"
#include "objbase.h"
#include "sequential_read_adapter.h"

namespace kx {

HRESULT ParseMarkup(IUnknown* source, ISAXContentHandler* handler) {
  if (!source || !handler) return E_POINTER;
  return HResultBoundary([&] {
    ComPtr<ISAXXMLReader> reader;
    HRESULT hr = CoCreateInstance(CLSID_SAXXMLReader60, nullptr, CLSCTX_ALL, IID_ISAXXMLReader,
                                  reader.ReleaseAndGetVoidAddressOf());
    if (SUCCEEDED(hr)) hr = reader->putContentHandler(handler);
    if (FAILED(hr)) return hr;
    VARIANT input;
    VariantInit(&input);
    input.vt = VT_UNKNOWN;
    input.punkVal = source;
    return reader->parse(input);
  });
}

HRESULT RewritePage(IFixedPage* page, ISAXContentHandler* rewriter) {
  if (!page || !rewriter) return E_POINTER;
  return HResultBoundary([&] {
    ComPtr<IPrintReadStream> stream;
    const HRESULT hr = page->GetStream(stream.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    auto adapter = MakeComObject<SequentialReadAdapter>(stream.Get());
    return ParseMarkup(adapter.Get(), rewriter);
  });
}

}  // namespace kx
