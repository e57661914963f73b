// Fakes of the objects the pipeline hands a filter: property bag, manager control and
// communicator. Each records what the filter did to it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx::test {

class FakePropertyBag final : public ComObject<IPrintPipelinePropertyBag> {
 public:
  ~FakePropertyBag() override;

  HRESULT STDMETHODCALLTYPE AddProperty(const WCHAR* name, const VARIANT* value) override;
  // A missing name answers HRESULT_FROM_WIN32(ERROR_NOT_FOUND).
  HRESULT STDMETHODCALLTYPE GetProperty(const WCHAR* name, VARIANT* value) override;
  BOOL STDMETHODCALLTYPE DeleteProperty(const WCHAR* name) override;

  void SetString(const std::u16string& name, const std::u16string& value);
  void SetUInt(const std::u16string& name, ULONG value);
  void SetUnknown(const std::u16string& name, IUnknown* value);
  // "PerUserPrintTicket" as the pipeline gives it: a read stream factory over the ticket.
  void SetUserTicket(const std::string& xml);

 private:
  std::map<std::u16string, VARIANT> properties_;
};

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
