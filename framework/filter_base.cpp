#include "filter_base.h"

#include "cxd_exception.h"
#include "kx/scoped_variant.h"
#include "module_state.h"

namespace kx {

FilterBase::FilterBase() : interfaceId_(IID_IPrintPipelineFilter) {
  privateNamespace_.Reset(SysAllocString(kPrivateKeywordsNamespace));
  if (!privateNamespace_.Get()) throw CXDException(E_OUTOFMEMORY);
  InterlockedIncrement(&TheModule().liveObjects);
}

FilterBase::~FilterBase() {
  ReportFinished();
  printerName_.Reset();
  classObjectFactory_.Reset();
  privateNamespace_.Reset();
  propertyBag_.Reset();
  managerControl_.Reset();
  communicator_.Reset();
  InterlockedDecrement(&TheModule().liveObjects);
}

HRESULT FilterBase::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, interfaceId_)) {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  *ppv = static_cast<IPrintPipelineFilter*>(this);
  AddRef();
  return S_OK;
}

ULONG FilterBase::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&referenceCount_)); }

ULONG FilterBase::Release() {
  const LONG remaining = InterlockedDecrement(&referenceCount_);
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}

HRESULT FilterBase::InitializeFilter(IInterFilterCommunicator* communicator,
                                     IPrintPipelinePropertyBag* propertyBag,
                                     IPrintPipelineManagerControl* managerControl) {
  if (!communicator || !propertyBag || !managerControl) {
    if (managerControl_) managerControl_->RequestShutdown(E_POINTER, nullptr);
    return E_POINTER;
  }
  communicator_ = ComPtr<IInterFilterCommunicator>(communicator);
  managerControl_ = ComPtr<IPrintPipelineManagerControl>(managerControl);
  propertyBag_ = ComPtr<IPrintPipelinePropertyBag>(propertyBag);

  ScopedVariant factory;
  if (SUCCEEDED(propertyBag->GetProperty(u"PrintClassFactory", factory.Out())) &&
      factory.Get().vt == VT_UNKNOWN && factory.Get().punkVal) {
    // A bag entry that is not a class object factory is ignored.
    if (FAILED(factory.Get().punkVal->QueryInterface(
            IID_IPrintClassObjectFactory, classObjectFactory_.ReleaseAndGetVoidAddressOf())))
      classObjectFactory_.Reset();
  }

  ScopedVariant printerName;
  HRESULT hr = propertyBag->GetProperty(u"PrinterName", printerName.Out());
  if (SUCCEEDED(hr) && printerName.Get().vt == VT_BSTR) {
    BSTR name = printerName.Get().bstrVal;
    printerName_.Reset(SysAllocStringLen(name, SysStringLen(name)));
    if (name && !printerName_.Get()) hr = E_OUTOFMEMORY;
  }

  ScopedVariant jobId;
  if (SUCCEEDED(propertyBag->GetProperty(u"PrintJobId", jobId.Out())) &&
      (jobId.Get().vt == VT_UI4 || jobId.Get().vt == VT_I4))
    jobId_ = jobId.Get().ulVal;

  finished_ = 0;
  return hr;
}

HRESULT FilterBase::ShutdownOperation() {
  if (finished_.exchange(1) == 0 && managerControl_) managerControl_->FilterFinished();
  return S_OK;
}

HRESULT FilterBase::LoadUserTicket() {
  if (!propertyBag_) return E_PENDING;
  ScopedVariant ticket;
  HRESULT hr = propertyBag_->GetProperty(u"PerUserPrintTicket", ticket.Out());
  if (FAILED(hr)) return hr;
  ScopedVariant printerName;
  hr = propertyBag_->GetProperty(u"PrinterName", printerName.Out());
  if (FAILED(hr)) return hr;
  if (ticket.Get().vt != VT_UNKNOWN || !ticket.Get().punkVal || printerName.Get().vt != VT_BSTR)
    return E_INVALIDARG;

  ComPtr<IPrintReadStreamFactory> factory;
  hr = ticket.Get().punkVal->QueryInterface(IID_IPrintReadStreamFactory,
                                            factory.ReleaseAndGetVoidAddressOf());
  ComPtr<IPrintReadStream> stream;
  if (SUCCEEDED(hr)) hr = factory->GetStream(stream.ReleaseAndGetAddressOf());
  if (SUCCEEDED(hr)) hr = ticketManager_.SetUserTicket(stream.Get(), printerName.Get().bstrVal);
  return hr;
}

void FilterBase::ReportFinished() {
  if (managerControl_ && finished_.exchange(1) == 0) managerControl_->FilterFinished();
}

}  // namespace kx
