// ReadStreamAdapter: a pipeline read stream seen as a read-only COM IStream, for code that
// wants IStream (the DOM's load, the SAX reader, the print ticket service). Holds a counted
// reference to the read stream.
#pragma once

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx {

class ReadStreamAdapter final : public ComObject<IStream> {
 public:
  // Throws CXDException: E_POINTER for a null stream, or the failure of CoFileTimeNow.
  explicit ReadStreamAdapter(IPrintReadStream* stream);

  // A null buffer or out argument gives E_POINTER; the end-of-file indication is dropped.
  HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override;
  HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                 ULARGE_INTEGER* plibNewPosition) override;
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER libNewSize) override;
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                   ULARGE_INTEGER* pcbWritten) override;
  HRESULT STDMETHODCALLTYPE Commit(DWORD grfCommitFlags) override;
  HRESULT STDMETHODCALLTYPE Revert() override;
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb,
                                       DWORD dwLockType) override;
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb,
                                         DWORD dwLockType) override;
  // The size is measured once (seeking to the end and back) and then remembered.
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
  HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) override;

 private:
  HRESULT MeasureSize();

  ComPtr<IPrintReadStream> stream_;
  ULONGLONG size_ = 0;
  FILETIME modified_{};
  FILETIME created_{};
  FILETIME accessed_{};
};

}  // namespace kx
