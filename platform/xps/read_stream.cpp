#include "read_stream.h"

#include "kx/com_object.h"

namespace kx::xps {
namespace {

class ReadStream final : public ComObject<IPrintReadStream> {
 public:
  ReadStream(ContentPtr content, std::optional<ObfuscationKey> key)
      : content_(std::move(content)), key_(key) {}

  HRESULT STDMETHODCALLTYPE Seek(LONGLONG move, DWORD origin, ULONGLONG* newPosition) override {
    return PackageBoundary(content_->Log(), [&]() -> HRESULT {
      LONGLONG base = 0;
      if (origin == 1)
        base = static_cast<LONGLONG>(position_);
      else if (origin == 2)
        base = static_cast<LONGLONG>(content_->Size());
      else if (origin != 0)
        return STG_E_INVALIDFUNCTION;
      const LONGLONG target = base + move;
      if (target < 0) return STG_E_INVALIDFUNCTION;
      MoveTo(static_cast<ULONGLONG>(target));
      if (newPosition) *newPosition = position_;
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE ReadBytes(void* buffer, ULONG requested, ULONG* read,
                                      BOOL* endOfFile) override {
    if (read) *read = 0;
    if (endOfFile) *endOfFile = FALSE;
    if (!buffer && requested) return E_POINTER;
    return PackageBoundary(content_->Log(), [&] {
      std::span<std::uint8_t> bytes(static_cast<std::uint8_t*>(buffer), requested);
      std::size_t filled = 0;
      while (filled < bytes.size()) {
        const std::size_t got = Cursor().Read(bytes.subspan(filled));
        if (got == 0) break;
        filled += got;
      }
      if (key_) ApplyObfuscation(*key_, position_, bytes.first(filled));
      position_ += filled;
      if (read) *read = static_cast<ULONG>(filled);
      if (endOfFile) *endOfFile = position_ >= content_->Size() ? TRUE : FALSE;
      return S_OK;
    });
  }

 private:
  ContentCursor& Cursor() {
    if (!cursor_) cursor_ = content_->Open();
    return *cursor_;
  }

  // The cursor only moves forward; a position before it starts over.
  void MoveTo(ULONGLONG target) {
    if (target < position_) {
      cursor_.reset();
      position_ = 0;
    }
    const ULONGLONG size = content_->Size();
    if (target > position_ && position_ < size) Cursor().Skip(std::min(target, size) - position_);
    position_ = target;
  }

  ContentPtr content_;
  std::optional<ObfuscationKey> key_;
  std::unique_ptr<ContentCursor> cursor_;
  ULONGLONG position_ = 0;
};

}  // namespace

ComPtr<IPrintReadStream> CreateReadStream(ContentPtr content, std::optional<ObfuscationKey> key) {
  return ComPtr<IPrintReadStream>::Attach(new ReadStream(std::move(content), key));
}

}  // namespace kx::xps
