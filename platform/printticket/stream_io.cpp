#include "stream_io.h"

#include <algorithm>

#include "kx/hresult_error.h"
#include "ticket_parsing.h"

namespace kx::pt {

std::string ReadWholeStream(IStream* stream, HRESULT formatError) {
  std::string bytes;
  char chunk[16384];
  for (;;) {
    ULONG read = 0;
    const HRESULT hr = stream->Read(chunk, sizeof chunk, &read);
    if (FAILED(hr)) throw HResultError{hr};
    bytes.append(chunk, std::min<ULONG>(read, sizeof chunk));
    if (bytes.size() > kMaxDocumentBytes) {
      throw FormatError{formatError, "document larger than 16 MiB"};
    }
    if (read == 0 || hr == S_FALSE) return bytes;
  }
}

void WriteWholeStream(IStream* stream, std::string_view bytes) {
  while (!bytes.empty()) {
    const ULONG size = static_cast<ULONG>(std::min<std::size_t>(bytes.size(), 1u << 20));
    ULONG written = 0;
    const HRESULT hr = stream->Write(bytes.data(), size, &written);
    if (FAILED(hr)) throw HResultError{hr};
    if (written == 0) throw HResultError{STG_E_MEDIUMFULL};
    bytes.remove_prefix(std::min<std::size_t>(written, bytes.size()));
  }
}

}  // namespace kx::pt
