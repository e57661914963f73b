// VARIANT lifetime: clearing releases what the VARIANT owns; copying takes new references.
#include "oleauto.h"

extern "C" {

void VariantInit(VARIANTARG* pvarg) {
  pvarg->vt = VT_EMPTY;
  pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
  pvarg->llVal = 0;
}

HRESULT VariantClear(VARIANTARG* pvarg) {
  if (!pvarg) return E_INVALIDARG;
  switch (pvarg->vt) {
    case VT_BSTR:
      SysFreeString(pvarg->bstrVal);
      break;
    case VT_UNKNOWN:
      if (pvarg->punkVal) pvarg->punkVal->Release();
      break;
    case VT_EMPTY:
    case VT_I4:
    case VT_UI4:
    case VT_BOOL:
      break;
    default:
      return E_INVALIDARG;  // a type this platform does not provide
  }
  VariantInit(pvarg);
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc) {
  if (!pvargDest || !pvargSrc) return E_POINTER;
  if (pvargDest == pvargSrc) return S_OK;
  VARIANT copy = *pvargSrc;
  switch (copy.vt) {
    case VT_BSTR:
      if (pvargSrc->bstrVal) {
        copy.bstrVal = SysAllocStringLen(pvargSrc->bstrVal, SysStringLen(pvargSrc->bstrVal));
        if (!copy.bstrVal) return E_OUTOFMEMORY;
      }
      break;
    case VT_UNKNOWN:
      if (copy.punkVal) copy.punkVal->AddRef();
      break;
    case VT_EMPTY:
    case VT_I4:
    case VT_UI4:
    case VT_BOOL:
      break;
    default:
      return E_INVALIDARG;
  }
  HRESULT hr = VariantClear(pvargDest);
  if (FAILED(hr)) {
    VariantClear(&copy);
    return hr;
  }
  *pvargDest = copy;
  return S_OK;
}

}  // extern "C"
