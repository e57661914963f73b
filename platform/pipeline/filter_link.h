// What the service hands each filter in InitializeFilter besides the property bag: the
// communicator (its reader and writer) and the manager control, which reports to the job.
// Both may be called from the filter's thread; the job must outlive them.
#pragma once

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx::pipeline {

// The job's side of a manager control; `filter` is the filter's place in the chain.
class JobControl {
 public:
  virtual void RequestShutdown(std::size_t filter, HRESULT reason) = 0;
  virtual void FilterFinished(std::size_t filter) = 0;

 protected:
  ~JobControl() = default;
};

class Communicator final : public ComObject<IInterFilterCommunicator> {
 public:
  Communicator(ComPtr<IUnknown> reader, ComPtr<IUnknown> writer)
      : reader_(std::move(reader)), writer_(std::move(writer)) {}

  HRESULT STDMETHODCALLTYPE RequestReader(void** reader) override { return Hand(reader_, reader); }
  HRESULT STDMETHODCALLTYPE RequestWriter(void** writer) override { return Hand(writer_, writer); }

 private:
  static HRESULT Hand(const ComPtr<IUnknown>& object, void** out) {
    if (!out) return E_POINTER;
    *out = ComPtr<IUnknown>(object).Detach();
    return S_OK;
  }

  ComPtr<IUnknown> reader_;
  ComPtr<IUnknown> writer_;
};

class ManagerControl final : public ComObject<IPrintPipelineManagerControl> {
 public:
  ManagerControl(JobControl& job, std::size_t filter) : job_(job), filter_(filter) {}

  HRESULT STDMETHODCALLTYPE RequestShutdown(HRESULT reason, IImgErrorInfo*) override {
    job_.RequestShutdown(filter_, reason);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FilterFinished() override {
    job_.FilterFinished(filter_);
    return S_OK;
  }

 private:
  JobControl& job_;
  std::size_t filter_;
};

}  // namespace kx::pipeline
