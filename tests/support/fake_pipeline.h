// Fakes of the objects the pipeline hands a filter: manager control and communicator, each
// recording what the filter did to it; and the user ticket put in a real property bag.
#pragma once

#include <string>
#include <vector>

#include "filterpipeline.h"
#include "kx/com_object.h"
#include "property_bag.h"

namespace kx::test {

// The pipeline's own property bag serves the tests; this gives it "PerUserPrintTicket" as the
// pipeline does: a read stream factory over the ticket.
void SetUserTicket(pipeline::PropertyBag& bag, const std::string& xml);

class FakeManagerControl final : public ComObject<IPrintPipelineManagerControl> {
 public:
  HRESULT STDMETHODCALLTYPE RequestShutdown(HRESULT reason, IImgErrorInfo*) override {
    shutdownRequests.push_back(reason);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FilterFinished() override {
    ++finishedCount;
    return S_OK;
  }

  std::vector<HRESULT> shutdownRequests;
  int finishedCount = 0;
};

// Hands out the reader and writer it was given; either request can be made to fail.
class FakeCommunicator final : public ComObject<IInterFilterCommunicator> {
 public:
  FakeCommunicator(IUnknown* reader, IUnknown* writer) : reader_(reader), writer_(writer) {}

  HRESULT STDMETHODCALLTYPE RequestReader(void** reader) override {
    return Hand(reader_, readerFailure, reader);
  }
  HRESULT STDMETHODCALLTYPE RequestWriter(void** writer) override {
    return Hand(writer_, writerFailure, writer);
  }

  HRESULT readerFailure = S_OK;
  HRESULT writerFailure = S_OK;

 private:
  static HRESULT Hand(const ComPtr<IUnknown>& object, HRESULT failure, void** out) {
    *out = nullptr;
    if (FAILED(failure)) return failure;
    *out = ComPtr<IUnknown>(object).Detach();
    return S_OK;
  }

  ComPtr<IUnknown> reader_;
  ComPtr<IUnknown> writer_;
};

}  // namespace kx::test
