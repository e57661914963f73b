// SequentialReadAdapter: a pipeline read stream seen as a COM ISequentialStream, the input the
// SAX reader and the DOM's load take. Holds a counted reference to the read stream.
#pragma once

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx {

class SequentialReadAdapter final : public ComObject<ISequentialStream> {
 public:
  explicit SequentialReadAdapter(IPrintReadStream* stream) : stream_(stream) {}

  // ReadBytes on the read stream; the end-of-file indication is dropped.
  HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override {
    if (!stream_) return E_POINTER;
    BOOL endOfFile = FALSE;
    return stream_->ReadBytes(pv, cb, pcbRead, &endOfFile);
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }

 private:
  ComPtr<IPrintReadStream> stream_;
};

}  // namespace kx
