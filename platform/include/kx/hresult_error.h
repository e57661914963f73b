// HResultError and HResultBoundary: the one place where exceptions become HRESULTs.
//
// Code below a COM method, hook or pipeline call may throw HResultError (or a type derived from
// it); the boundary catches everything so that nothing unwinds into a caller that expects a
// status code.
#pragma once

#include <new>
#include <utility>

#include "winerror.h"

namespace kx {

struct HResultError {
  HRESULT hr;
};

// Runs fn, which returns an HRESULT, and maps what it throws: HResultError to its code,
// out-of-memory to E_OUTOFMEMORY, anything else to E_UNEXPECTED.
template <class Fn>
HRESULT HResultBoundary(Fn&& fn) noexcept {
  try {
    return std::forward<Fn>(fn)();
  } catch (const HResultError& error) {
    return error.hr;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace kx
