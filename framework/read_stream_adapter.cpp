#include "read_stream_adapter.h"

#include "cxd_exception.h"
#include "objbase.h"

namespace kx {
namespace {

constexpr DWORD kShareDenyWrite = 0x20;
constexpr DWORD kLockWrite = 1;
constexpr WCHAR kStreamName[] = u"PrintReadStream";

}  // namespace

ReadStreamAdapter::ReadStreamAdapter(IPrintReadStream* stream) : stream_(stream) {
  if (!stream) throw CXDException(E_POINTER);
  ThrowOnFailure(CoFileTimeNow(&modified_));
  ThrowOnFailure(CoFileTimeNow(&created_));
  ThrowOnFailure(CoFileTimeNow(&accessed_));
}

HRESULT ReadStreamAdapter::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (!pv || !pcbRead) return E_POINTER;
  *pcbRead = 0;
  const HRESULT hr = CoFileTimeNow(&accessed_);
  if (FAILED(hr) || cb == 0) return hr;
  BOOL endOfFile = FALSE;
  return stream_->ReadBytes(pv, cb, pcbRead, &endOfFile);
}

HRESULT ReadStreamAdapter::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                ULARGE_INTEGER* plibNewPosition) {
  ULONGLONG position = 0;
  const HRESULT hr = stream_->Seek(dlibMove.QuadPart, dwOrigin, &position);
  if (plibNewPosition) plibNewPosition->QuadPart = position;
  return hr;
}

HRESULT ReadStreamAdapter::MeasureSize() {
  ULONGLONG position = 0;
  HRESULT hr = stream_->Seek(0, STREAM_SEEK_CUR, &position);
  ULONGLONG end = 0;
  if (SUCCEEDED(hr)) hr = stream_->Seek(0, STREAM_SEEK_END, &end);
  if (SUCCEEDED(hr)) hr = stream_->Seek(static_cast<LONGLONG>(position), STREAM_SEEK_SET, nullptr);
  if (SUCCEEDED(hr)) size_ = end;
  return hr;
}

HRESULT ReadStreamAdapter::Stat(STATSTG* pstatstg, DWORD grfStatFlag) {
  if (!pstatstg) return E_POINTER;
  *pstatstg = STATSTG{};
  if (size_ == 0) {
    const HRESULT hr = MeasureSize();
    if (FAILED(hr)) return hr;
  }
  if (!(grfStatFlag & STATFLAG_NONAME)) {
    pstatstg->pwcsName = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof kStreamName));
    if (!pstatstg->pwcsName) return E_OUTOFMEMORY;
    std::char_traits<WCHAR>::copy(pstatstg->pwcsName, kStreamName, std::size(kStreamName));
  }
  pstatstg->type = STGTY_STREAM;
  pstatstg->cbSize.QuadPart = size_;
  pstatstg->mtime = modified_;
  pstatstg->ctime = created_;
  pstatstg->atime = accessed_;
  pstatstg->grfMode = kShareDenyWrite;
  pstatstg->grfLocksSupported = kLockWrite;
  return S_OK;
}

HRESULT ReadStreamAdapter::Write(const void*, ULONG, ULONG*) { return E_NOTIMPL; }
HRESULT ReadStreamAdapter::SetSize(ULARGE_INTEGER) { return E_NOTIMPL; }
HRESULT ReadStreamAdapter::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) {
  return E_NOTIMPL;
}
HRESULT ReadStreamAdapter::Commit(DWORD) { return E_NOTIMPL; }
HRESULT ReadStreamAdapter::Revert() { return E_NOTIMPL; }
HRESULT ReadStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return E_NOTIMPL; }
HRESULT ReadStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return E_NOTIMPL; }
HRESULT ReadStreamAdapter::Clone(IStream**) { return E_NOTIMPL; }

}  // namespace kx
