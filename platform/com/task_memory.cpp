// COM task memory is the C heap.
#include <cstdlib>

#include "objbase.h"

extern "C" {

LPVOID CoTaskMemAlloc(SIZE_T cb) { return std::malloc(cb ? cb : 1); }

LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb) { return std::realloc(pv, cb ? cb : 1); }

void CoTaskMemFree(LPVOID pv) { std::free(pv); }

}  // extern "C"
