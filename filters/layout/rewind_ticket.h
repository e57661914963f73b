// RewindTicket: a ticket DOM answers IStream with one read position, and the print ticket
// service reads from where the last reader stopped. A ticket that is merged onto or asked for
// capabilities more than once is rewound before each use.
#pragma once

#include "kx/com_ptr.h"
#include "msxml6.h"

namespace kx {

inline void RewindTicket(IXMLDOMDocument2* ticket) {
  ComPtr<IStream> stream;
  if (!ticket || FAILED(ticket->QueryInterface(IID_IStream, stream.ReleaseAndGetVoidAddressOf())))
    return;
  LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
}

}  // namespace kx
