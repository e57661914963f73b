// COM apartments: a per-thread count of CoInitializeEx calls and the model the first one chose.
#include "apartment.h"

namespace {

struct ThreadApartment {
  int count = 0;
  DWORD model = 0;
};

thread_local ThreadApartment apartment;

}  // namespace

namespace kx {

bool IsComInitialized() { return apartment.count > 0; }

}  // namespace kx

extern "C" {

HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
  if (pvReserved) return E_INVALIDARG;
  const DWORD model = dwCoInit & COINIT_APARTMENTTHREADED;
  if (apartment.count > 0) {
    if (apartment.model != model) return RPC_E_CHANGED_MODE;
    ++apartment.count;
    return S_FALSE;
  }
  apartment.model = model;
  apartment.count = 1;
  return S_OK;
}

void CoUninitialize() {
  if (apartment.count > 0) --apartment.count;
}

}  // extern "C"
