// VARIANT lifetime: clearing releases what the VARIANT owns; copying takes new references.
#include "oleauto.h"

namespace {

// The types this platform provides; any other is refused rather than guessed at.
bool IsProvidedType(VARTYPE vt) {
  switch (vt) {
    case VT_EMPTY:
    case VT_I4:
    case VT_UI4:
    case VT_BOOL:
    case VT_BSTR:
    case VT_UNKNOWN:
      return true;
    default:
      return false;
  }
}

}  // namespace

extern "C" {

void VariantInit(VARIANTARG* pvarg) {
  pvarg->vt = VT_EMPTY;
  pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
  pvarg->llVal = 0;
}

HRESULT VariantClear(VARIANTARG* pvarg) {
  if (!pvarg) return E_INVALIDARG;
  if (!IsProvidedType(pvarg->vt)) return E_INVALIDARG;
  if (pvarg->vt == VT_BSTR) SysFreeString(pvarg->bstrVal);
  if (pvarg->vt == VT_UNKNOWN && pvarg->punkVal) pvarg->punkVal->Release();
  VariantInit(pvarg);
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc) {
  if (!pvargDest || !pvargSrc) return E_POINTER;
  if (pvargDest == pvargSrc) return S_OK;
  if (!IsProvidedType(pvargSrc->vt)) return E_INVALIDARG;
  VARIANT copy = *pvargSrc;
  if (copy.vt == VT_BSTR && pvargSrc->bstrVal) {
    copy.bstrVal = SysAllocStringLen(pvargSrc->bstrVal, SysStringLen(pvargSrc->bstrVal));
    if (!copy.bstrVal) return E_OUTOFMEMORY;
  }
  if (copy.vt == VT_UNKNOWN && copy.punkVal) copy.punkVal->AddRef();
  const HRESULT hr = VariantClear(pvargDest);
  if (FAILED(hr)) {
    VariantClear(&copy);
    return hr;
  }
  *pvargDest = copy;
  return S_OK;
}

}  // extern "C"
