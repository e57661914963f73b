#include "part_write_stream.h"

#include "kx/com_object.h"

namespace kx::xps {
namespace {

class PartWriteStream final : public ComObject<IPrintWriteStream> {
 public:
  explicit PartWriteStream(ContentSink sink) : sink_(std::move(sink)) {}
  ~PartWriteStream() override { Close(); }

  HRESULT STDMETHODCALLTYPE WriteBytes(const void* buffer, ULONG count, ULONG* written) override {
    if (written) *written = 0;
    if (!buffer && count) return E_POINTER;
    if (!sink_) return E_UNEXPECTED;  // closed
    if (bytes_.size() + count > kMaxBufferedPartBytes) return kPartTooLarge;
    return HResultBoundary([&] {
      const auto* first = static_cast<const std::uint8_t*>(buffer);
      bytes_.insert(bytes_.end(), first, first + count);
      if (written) *written = count;
      return S_OK;
    });
  }

  void STDMETHODCALLTYPE Close() override {
    if (!sink_) return;
    ContentSink sink = std::move(sink_);
    sink_ = nullptr;
    sink(MakeBufferContent(std::move(bytes_)));
  }

 private:
  ContentSink sink_;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace

ComPtr<IPrintWriteStream> CreatePartWriteStream(ContentSink sink) {
  return ComPtr<IPrintWriteStream>::Attach(new PartWriteStream(std::move(sink)));
}

}  // namespace kx::xps
