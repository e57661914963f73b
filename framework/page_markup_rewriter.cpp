#include "page_markup_rewriter.h"

#include "kx/hresult_error.h"
#include "utf8_text.h"

namespace kx {

PageMarkupRewriter::~PageMarkupRewriter() { Flush(); }

HRESULT PageMarkupRewriter::Emit(const TextBuffer& text) {
  const HRESULT hr = pending_.Length() > kFlushThreshold ? Flush() : S_OK;
  const HRESULT appended = HResultBoundary([&] {
    pending_.Append(text.View());
    return S_OK;
  });
  return FAILED(hr) ? hr : appended;
}

HRESULT PageMarkupRewriter::Flush() {
  if (pending_.Length() == 0) return S_OK;
  const HRESULT hr = HResultBoundary([&] {
    if (!stream_) return E_POINTER;
    Utf8Text utf8(pending_);
    const BYTE* bytes = nullptr;
    ULONG count = 0;
    HRESULT result = utf8.Convert(&bytes, &count);
    ULONG written = 0;
    if (SUCCEEDED(result)) result = stream_->WriteBytes(bytes, count, &written);
    return result;
  });
  pending_.Clear();
  return hr;
}

}  // namespace kx
