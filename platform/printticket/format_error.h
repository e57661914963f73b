// FormatError: a document that is not a well-formed Print Schema document of the expected kind.
// It is an HResultError, so any boundary turns it into its code; the exported functions also
// hand its message to the caller.
#pragma once

#include <string>

#include "kx/hresult_error.h"

namespace kx::pt {

struct FormatError : HResultError {
  FormatError(HRESULT code, std::string text) : HResultError{code}, message(std::move(text)) {}
  std::string message;
};

}  // namespace kx::pt
