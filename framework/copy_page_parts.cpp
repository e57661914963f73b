#include "copy_page_parts.h"

#include "kx/com_ptr.h"
#include "kx/hresult_error.h"
#include "kx/unique_bstr.h"

namespace kx {

HRESULT CopyPageParts(IFixedPage* source, IFixedPage* target) {
  if (!source || !target) return E_POINTER;
  return HResultBoundary([&] {
    ComPtr<IXpsPartIterator> parts;
    HRESULT hr = source->GetXpsPartIterator(parts.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    if (!parts) return E_POINTER;
    parts->Reset();
    while (SUCCEEDED(hr) && !parts->IsDone()) {
      UniqueBstr uri;
      ComPtr<IUnknown> part;
      hr = parts->Current(uri.ResetAndGetAddressOf(), part.ReleaseAndGetAddressOf());
      if (SUCCEEDED(hr)) hr = target->SetPagePart(part.Get());
      parts->Next();
    }
    return hr;
  });
}

}  // namespace kx
