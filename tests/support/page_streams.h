// A fixed page whose markup and output are memory, for the page rewriters' tests: GetStream
// reads the given markup, GetWriteStream hands out a RecordingWriteStream, the part iterator
// walks the given parts and SetPagePart records what it gets.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fake_parts.h"
#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx::test {

// Keeps each WriteBytes call's size and the bytes; can fail the Nth call, or report that it
// took nothing.
class RecordingWriteStream final : public ComObject<IPrintWriteStream> {
 public:
  HRESULT STDMETHODCALLTYPE WriteBytes(const void* buffer, ULONG size, ULONG* written) override;
  void STDMETHODCALLTYPE Close() override { closed = true; }

  std::string bytes;
  std::vector<ULONG> writeSizes;
  bool closed = false;
  int failOnCall = 0;  // 1-based; 0 never
  HRESULT failure = E_FAIL;
  bool acceptsNothing = false;
};

class StreamPage final : public FakeTicketedPart<IFixedPage> {
 public:
  explicit StreamPage(std::string markup, std::vector<ComPtr<IUnknown>> parts = {})
      : FakeTicketedPart(u"/Documents/1/Pages/1.fpage"),
        output(MakeComObject<RecordingWriteStream>()),
        markup_(std::move(markup)),
        parts_(std::move(parts)) {}

  HRESULT STDMETHODCALLTYPE GetStream(IPrintReadStream** stream) override;
  HRESULT STDMETHODCALLTYPE GetPagePart(const WCHAR*, IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWriteStream(IPrintWriteStream** stream) override {
    return ComPtr<IPrintWriteStream>(output.Get()).CopyTo(stream);
  }
  HRESULT STDMETHODCALLTYPE SetPagePart(IUnknown* part) override;
  HRESULT STDMETHODCALLTYPE DeleteResource(const WCHAR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetXpsPartIterator(IXpsPartIterator** iterator) override;

  std::vector<ComPtr<IUnknown>> receivedParts;
  HRESULT setPagePartResult = S_OK;
  ComPtr<RecordingWriteStream> output;

 private:
  std::string markup_;
  std::vector<ComPtr<IUnknown>> parts_;
};

}  // namespace kx::test
