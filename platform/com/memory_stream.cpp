// The memory IStream of CreateStreamOnHGlobal: growable, seekable, clones share the bytes.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "kx/com_object.h"
#include "kx/hresult_error.h"
#include "objbase.h"

namespace {

using Bytes = std::vector<BYTE>;

class MemoryStream final : public kx::ComObject<IStream> {
 public:
  explicit MemoryStream(std::shared_ptr<Bytes> bytes, ULONGLONG position = 0)
      : bytes_(std::move(bytes)), position_(position) {}

  HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override {
    if (!pv && cb) return STG_E_INVALIDPOINTER;
    ULONG count = 0;
    if (position_ < bytes_->size())
      count = static_cast<ULONG>(std::min<ULONGLONG>(cb, bytes_->size() - position_));
    if (count) std::memcpy(pv, bytes_->data() + position_, count);
    position_ += count;
    if (pcbRead) *pcbRead = count;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override {
    if (pcbWritten) *pcbWritten = 0;
    if (!pv && cb) return STG_E_INVALIDPOINTER;
    return kx::HResultBoundary([&] {
      const ULONGLONG end = position_ + cb;
      if (end > bytes_->max_size()) return STG_E_MEDIUMFULL;
      if (end > bytes_->size()) bytes_->resize(static_cast<std::size_t>(end));
      if (cb) std::memcpy(bytes_->data() + position_, pv, cb);
      position_ = end;
      if (pcbWritten) *pcbWritten = cb;
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                 ULARGE_INTEGER* plibNewPosition) override {
    LONGLONG base = 0;
    switch (dwOrigin) {
      case STREAM_SEEK_SET:
        break;
      case STREAM_SEEK_CUR:
        base = static_cast<LONGLONG>(position_);
        break;
      case STREAM_SEEK_END:
        base = static_cast<LONGLONG>(bytes_->size());
        break;
      default:
        return STG_E_INVALIDFUNCTION;
    }
    const LONGLONG target = base + dlibMove.QuadPart;
    if (target < 0) return STG_E_INVALIDFUNCTION;
    position_ = static_cast<ULONGLONG>(target);
    if (plibNewPosition) plibNewPosition->QuadPart = position_;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER libNewSize) override {
    return kx::HResultBoundary([&] {
      if (libNewSize.QuadPart > bytes_->max_size()) return STG_E_MEDIUMFULL;
      bytes_->resize(static_cast<std::size_t>(libNewSize.QuadPart));
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                   ULARGE_INTEGER* pcbWritten) override {
    if (!pstm) return STG_E_INVALIDPOINTER;
    ULONGLONG available = position_ < bytes_->size() ? bytes_->size() - position_ : 0;
    ULONGLONG remaining = std::min(cb.QuadPart, available);
    ULONGLONG read = 0;
    ULONGLONG written = 0;
    HRESULT hr = S_OK;
    while (remaining > 0 && SUCCEEDED(hr)) {
      const ULONG chunk = static_cast<ULONG>(std::min<ULONGLONG>(remaining, 1u << 20));
      ULONG done = 0;
      hr = pstm->Write(bytes_->data() + position_, chunk, &done);
      read += chunk;
      written += done;
      position_ += chunk;
      remaining -= chunk;
    }
    if (pcbRead) pcbRead->QuadPart = read;
    if (pcbWritten) pcbWritten->QuadPart = written;
    return hr;
  }

  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }

  HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD) override {
    if (!pstatstg) return STG_E_INVALIDPOINTER;
    *pstatstg = STATSTG{};
    pstatstg->type = STGTY_STREAM;
    pstatstg->cbSize.QuadPart = bytes_->size();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) override {
    if (!ppstm) return STG_E_INVALIDPOINTER;
    *ppstm = nullptr;
    return kx::HResultBoundary([&] {
      *ppstm = kx::MakeComObject<MemoryStream>(bytes_, position_).Detach();
      return S_OK;
    });
  }

 private:
  std::shared_ptr<Bytes> bytes_;
  ULONGLONG position_;
};

}  // namespace

extern "C" HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL, IStream** ppstm) {
  if (!ppstm) return E_INVALIDARG;
  *ppstm = nullptr;
  if (hGlobal) return E_INVALIDARG;
  return kx::HResultBoundary([&] {
    *ppstm = kx::MakeComObject<MemoryStream>(std::make_shared<Bytes>()).Detach();
    return S_OK;
  });
}
