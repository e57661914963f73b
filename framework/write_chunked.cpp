#include "write_chunked.h"

#include "kx/hresult_error.h"
#include "utf8_text.h"

namespace kx {

HRESULT WriteChunked(IPrintWriteStream* stream, const BYTE* bytes, ULONG count, ULONG* written) {
  if (written) *written = 0;
  if (!stream || (!bytes && count)) return E_POINTER;
  ULONG total = 0;
  HRESULT hr = S_OK;
  while (count - total > kMaxWriteChunk && SUCCEEDED(hr)) {
    ULONG done = 0;
    hr = stream->WriteBytes(bytes + total, kMaxWriteChunk, &done);
    // A stream that accepts nothing would otherwise keep this loop going for ever.
    if (SUCCEEDED(hr) && done == 0) hr = STG_E_MEDIUMFULL;
    total += std::min(done, kMaxWriteChunk);
  }
  if (SUCCEEDED(hr)) {
    ULONG done = 0;
    hr = stream->WriteBytes(bytes + total, count - total, &done);
    total += std::min(done, count - total);
  }
  if (written) *written = total;
  return hr;
}

HRESULT WriteTextAsUtf8(const TextBuffer* text, IPrintWriteStream* stream) {
  if (!text || !stream) return E_POINTER;
  return HResultBoundary([&] {
    Utf8Text utf8(*text);
    const BYTE* bytes = nullptr;
    ULONG count = 0;
    HRESULT hr = utf8.Convert(&bytes, &count);
    if (SUCCEEDED(hr)) hr = WriteChunked(stream, bytes, count, nullptr);
    return hr;
  });
}

}  // namespace kx
