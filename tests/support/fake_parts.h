// Fake XPS parts: each knows its part name and answers the part interfaces of its kind.
// Methods the tests do not need answer E_NOTIMPL.
#pragma once

#include <string>

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx::test {

// GetUri gives the name; compression is kept. Shared by every fake part.
template <class Interface>
class FakePart : public ComObject<Interface> {
 public:
  explicit FakePart(std::u16string uri) : uri_(std::move(uri)) {}

  HRESULT STDMETHODCALLTYPE GetUri(BSTR* uri) override {
    if (!uri) return E_POINTER;
    *uri = SysAllocStringLen(uri_.data(), static_cast<UINT>(uri_.size()));
    return *uri ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetStream(IPrintReadStream**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPartCompression(EXpsCompressionOptions* compression) override {
    if (!compression) return E_POINTER;
    *compression = compression_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetPartCompression(EXpsCompressionOptions compression) override {
    compression_ = compression;
    return S_OK;
  }

  const std::u16string& Uri() const { return uri_; }

 private:
  std::u16string uri_;
  EXpsCompressionOptions compression_ = Compression_Normal;
};

// The print ticket methods shared by sequences and documents.
template <class Interface>
class FakeTicketedPart : public FakePart<Interface> {
 public:
  using FakePart<Interface>::FakePart;

  // A part without a ticket answers as the pipeline does: not found.
  HRESULT STDMETHODCALLTYPE GetPrintTicket(IPartPrintTicket** ticket) override {
    const HRESULT hr = ticket_.CopyTo(ticket);
    return SUCCEEDED(hr) && !ticket_ ? HRESULT_FROM_WIN32(ERROR_NOT_FOUND) : hr;
  }
  HRESULT STDMETHODCALLTYPE SetPrintTicket(IPartPrintTicket* ticket) override {
    ticket_ = ComPtr<IPartPrintTicket>(ticket);
    return S_OK;
  }

 private:
  ComPtr<IPartPrintTicket> ticket_;
};

class FakeFixedDocumentSequence final : public FakeTicketedPart<IFixedDocumentSequence> {
 public:
  using FakeTicketedPart::FakeTicketedPart;
};

class FakeFixedDocument final : public FakeTicketedPart<IFixedDocument> {
 public:
  using FakeTicketedPart::FakeTicketedPart;
};

class FakeFixedPage final : public FakeTicketedPart<IFixedPage> {
 public:
  using FakeTicketedPart::FakeTicketedPart;

  HRESULT STDMETHODCALLTYPE GetPagePart(const WCHAR*, IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWriteStream(IPrintWriteStream**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetPagePart(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeleteResource(const WCHAR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetXpsPartIterator(IXpsPartIterator**) override { return E_NOTIMPL; }
};

class FakeFontPart final : public FakePart<IPartFont> {
 public:
  using FakePart::FakePart;

  HRESULT STDMETHODCALLTYPE GetFontProperties(BSTR*, EXpsFontOptions*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetFontContent(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetFontOptions(EXpsFontOptions) override { return E_NOTIMPL; }
};

class FakeXpsDocument final : public ComObject<IXpsDocument> {
 public:
  HRESULT STDMETHODCALLTYPE GetThumbnail(IPartThumbnail** thumbnail) override {
    if (!thumbnail) return E_POINTER;
    *thumbnail = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetThumbnail(IPartThumbnail*) override { return S_OK; }
};

}  // namespace kx::test
