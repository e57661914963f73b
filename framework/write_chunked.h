// Writing to pipeline write streams: never more than 65536 bytes per WriteBytes call.
#pragma once

#include "filterpipeline.h"
#include "text_buffer.h"

namespace kx {

inline constexpr ULONG kMaxWriteChunk = 65536;

// Writes count bytes in chunks of at most 65536 bytes; the first failure stops at once.
// written (may be null) receives the total the stream reported.
HRESULT WriteChunked(IPrintWriteStream* stream, const BYTE* bytes, ULONG count, ULONG* written);

// The buffer's text as UTF-8, written with WriteChunked. E_POINTER for a null argument.
HRESULT WriteTextAsUtf8(const TextBuffer* text, IPrintWriteStream* stream);

}  // namespace kx
