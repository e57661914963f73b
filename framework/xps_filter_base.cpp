#include "xps_filter_base.h"

#include "kx/hresult_error.h"
#include "objbase.h"

namespace kx {
namespace {

// Runs a hook so that nothing it throws escapes the part loop.
template <class Hook>
HRESULT CallHook(Hook&& hook) {
  return HResultBoundary(std::forward<Hook>(hook));
}

}  // namespace

XpsFilterBase::XpsFilterBase() : handlersEnabled_(gdiplus_.Status() == Gdiplus::Ok ? 1 : 0) {}

XpsFilterBase::~XpsFilterBase() {
  writer_.Reset();
  reader_.Reset();
}

HRESULT XpsFilterBase::StartOperation() {
  pageInDocument_ = 0;
  documentCount_ = 0;
  pageCount_ = 0;

  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const bool comEntered = SUCCEEDED(hr);
  if (comEntered) hr = CallHook([&] { return ConnectStreams(); });
  if (SUCCEEDED(hr)) hr = CallHook([&] { return LoadUserTicket(); });

  if (SUCCEEDED(hr)) {
    for (;;) {
      ComPtr<IUnknown> part;
      hr = reader_->GetXpsPart(part.ReleaseAndGetAddressOf());
      if (FAILED(hr)) break;
      if (!part || finished_) break;  // end of stream or shut down: a fetched part is dropped
      hr = DispatchPart(part.Get());
      if (FAILED(hr)) break;
    }
    if (SUCCEEDED(hr)) hr = CallHook([&] { return OnEndOfStream(); });
    writer_->CloseSender();
  }

  if (FAILED(hr)) {
    if (finished_) {
      hr = S_OK;
    } else if (managerControl_) {
      managerControl_->RequestShutdown(hr, nullptr);
    }
  }
  if (comEntered) CoUninitialize();
  ReportFinished();
  return hr;
}

HRESULT XpsFilterBase::DispatchPart(IUnknown* part) {
  if (ComPtr<IXpsDocument> document;
      SUCCEEDED(part->QueryInterface(IID_IXpsDocument, document.ReleaseAndGetVoidAddressOf()))) {
    return handlersEnabled_ ? CallHook([&] { return OnXpsDocument(document.Get()); })
                            : writer_->SendXpsDocument(document.Get());
  }
  if (ComPtr<IFixedDocumentSequence> sequence; SUCCEEDED(part->QueryInterface(
          IID_IFixedDocumentSequence, sequence.ReleaseAndGetVoidAddressOf()))) {
    return handlersEnabled_ ? CallHook([&] { return OnFixedDocumentSequence(sequence.Get()); })
                            : writer_->SendFixedDocumentSequence(sequence.Get());
  }
  if (ComPtr<IFixedDocument> document;
      SUCCEEDED(part->QueryInterface(IID_IFixedDocument, document.ReleaseAndGetVoidAddressOf()))) {
    pageInDocument_ = 0;
    ++documentCount_;
    return handlersEnabled_ ? CallHook([&] { return OnFixedDocument(document.Get()); })
                            : writer_->SendFixedDocument(document.Get());
  }
  if (ComPtr<IFixedPage> page;
      SUCCEEDED(part->QueryInterface(IID_IFixedPage, page.ReleaseAndGetVoidAddressOf()))) {
    ++pageInDocument_;
    ++pageCount_;
    return handlersEnabled_ ? CallHook([&] { return OnFixedPage(page.Get()); })
                            : writer_->SendFixedPage(page.Get());
  }
  return writer_->SendXpsUnknown(part);
}

HRESULT XpsFilterBase::ConnectStreams() {
  reader_.Reset();
  writer_.Reset();
  if (!communicator_) return E_PENDING;

  void* rawReader = nullptr;
  void* rawWriter = nullptr;
  HRESULT hr = communicator_->RequestReader(&rawReader);
  if (SUCCEEDED(hr)) hr = communicator_->RequestWriter(&rawWriter);
  // The communicator hands out counted references; adopt them so that they are released.
  auto reader = ComPtr<IUnknown>::Attach(static_cast<IUnknown*>(rawReader));
  auto writer = ComPtr<IUnknown>::Attach(static_cast<IUnknown*>(rawWriter));
  if (FAILED(hr)) return hr;

  if (FAILED(reader.As(reader_)) || FAILED(writer.As(writer_))) {
    reader_.Reset();
    writer_.Reset();
    if (managerControl_) managerControl_->RequestShutdown(E_FAIL, nullptr);
    return E_FAIL;
  }
  return S_OK;
}

HRESULT XpsFilterBase::OnXpsDocument(IXpsDocument* document) {
  if (!document) return E_POINTER;
  return writer_->SendXpsDocument(document);
}

HRESULT XpsFilterBase::OnFixedDocumentSequence(IFixedDocumentSequence* sequence) {
  if (!sequence) return E_POINTER;
  const HRESULT hr = ticketManager_.UpdateJobTicket(sequence);
  return FAILED(hr) ? hr : writer_->SendFixedDocumentSequence(sequence);
}

HRESULT XpsFilterBase::OnFixedDocument(IFixedDocument* document) {
  if (!document) return E_POINTER;
  const HRESULT hr = ticketManager_.UpdateDocumentTicket(document);
  return FAILED(hr) ? hr : writer_->SendFixedDocument(document);
}

HRESULT XpsFilterBase::OnFixedPage(IFixedPage* page) {
  if (!page) return E_POINTER;
  return writer_->SendFixedPage(page);
}

HRESULT XpsFilterBase::OnEndOfStream() { return S_OK; }

}  // namespace kx
