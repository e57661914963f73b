#include "load_dom_from_stream.h"

#include "kx/com_ptr.h"
#include "kx/hresult_error.h"
#include "objbase.h"

namespace kx {

HRESULT LoadDomFromStream(IStream* stream, IXMLDOMDocument2** document) {
  if (!stream || !document) return E_POINTER;
  *document = nullptr;
  return HResultBoundary([&] {
    ComPtr<IXMLDOMDocument2> dom;
    HRESULT hr = CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument2,
                                  dom.ReleaseAndGetVoidAddressOf());
    LARGE_INTEGER start{};
    if (SUCCEEDED(hr)) hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_UNKNOWN;
    source.punkVal = stream;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (SUCCEEDED(hr)) hr = dom->load(source, &loaded);
    if (FAILED(hr)) return hr;
    if (loaded != VARIANT_TRUE) return E_FAIL;
    *document = dom.Detach();
    return S_OK;
  });
}

}  // namespace kx
