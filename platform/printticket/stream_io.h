// Reading a whole document from an IStream (from its current position) and writing one into an
// IStream. Failures of the stream are thrown as HResultError.
#pragma once

#include <string>
#include <string_view>

#include "format_error.h"
#include "objidl.h"

namespace kx::pt {

// Throws FormatError{formatError, ...} when the stream holds more than kMaxDocumentBytes.
std::string ReadWholeStream(IStream* stream, HRESULT formatError);
void WriteWholeStream(IStream* stream, std::string_view bytes);

}  // namespace kx::pt
