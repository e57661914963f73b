// FakePrintTicketPart: a print ticket part whose content is memory; what is written to its
// write stream becomes its content.
#pragma once

#include <string>

#include "fake_parts.h"
#include "memory_streams.h"
#include "page_streams.h"

namespace kx::test {

class FakePrintTicketPart final : public FakePart<IPartPrintTicket> {
 public:
  FakePrintTicketPart(std::u16string uri, std::string xml)
      : FakePart(std::move(uri)), output(MakeComObject<RecordingWriteStream>()) {
    output->bytes = std::move(xml);
  }

  HRESULT STDMETHODCALLTYPE GetStream(IPrintReadStream** stream) override {
    if (!stream) return E_POINTER;
    *stream = MakeComObject<MemoryReadStream>(output->bytes).Detach();
    return S_OK;
  }

  const std::string& Content() const { return output->bytes; }

  ComPtr<RecordingWriteStream> output;
};

}  // namespace kx::test
