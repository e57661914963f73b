// CXDException: leaves a nested framework or filter operation with a failure code. Thrown by
// value, caught by reference at the boundary of every COM method, hook and framework operation
// (kx::HResultBoundary), which returns the carried HRESULT.
#pragma once

#include "kx/hresult_error.h"

namespace kx {

struct CXDException : HResultError {
  explicit CXDException(HRESULT code) : HResultError{code} {}
};

inline void ThrowOnFailure(HRESULT hr) {
  if (FAILED(hr)) throw CXDException(hr);
}

}  // namespace kx
