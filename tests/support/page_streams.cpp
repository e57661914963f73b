#include "page_streams.h"

#include "kx/unique_bstr.h"
#include "memory_streams.h"

namespace kx::test {
namespace {

class PartIterator final : public ComObject<IXpsPartIterator> {
 public:
  explicit PartIterator(std::vector<ComPtr<IUnknown>> parts) : parts_(std::move(parts)) {}

  void STDMETHODCALLTYPE Reset() override { next_ = 0; }
  HRESULT STDMETHODCALLTYPE Current(BSTR* uri, IUnknown** part) override {
    if (!uri || !part || IsDone()) return E_FAIL;
    *uri = SysAllocString(u"/Resources/part");
    return parts_[next_].CopyTo(part);
  }
  BOOL STDMETHODCALLTYPE IsDone() override { return next_ >= parts_.size(); }
  void STDMETHODCALLTYPE Next() override { ++next_; }

 private:
  std::vector<ComPtr<IUnknown>> parts_;
  std::size_t next_ = 0;
};

}  // namespace

HRESULT RecordingWriteStream::WriteBytes(const void* buffer, ULONG size, ULONG* written) {
  if (written) *written = 0;
  writeSizes.push_back(size);
  if (failOnCall == static_cast<int>(writeSizes.size())) return failure;
  if (acceptsNothing) return S_OK;
  bytes.append(static_cast<const char*>(buffer), size);
  if (written) *written = size;
  return S_OK;
}

HRESULT StreamPage::GetStream(IPrintReadStream** stream) {
  if (!stream) return E_POINTER;
  *stream = MakeComObject<MemoryReadStream>(markup_).Detach();
  return S_OK;
}

HRESULT StreamPage::SetPagePart(IUnknown* part) {
  if (FAILED(setPagePartResult)) return setPagePartResult;
  receivedParts.emplace_back(part);
  return S_OK;
}

HRESULT StreamPage::GetXpsPartIterator(IXpsPartIterator** iterator) {
  if (!iterator) return E_POINTER;
  *iterator = MakeComObject<PartIterator>(parts_).Detach();
  return S_OK;
}

}  // namespace kx::test
