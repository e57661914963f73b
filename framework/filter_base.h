// FilterBase: the print filter object the pipeline drives (IPrintPipelineFilter).
//
// Takes the pipeline objects in InitializeFilter, reads the job's identity from the property
// bag and reports the end of the filter's work once. StartOperation runs on one pipeline thread;
// ShutdownOperation may come from any other thread and only sets `finished`.
#pragma once

#include <atomic>

#include "filterpipeline.h"
#include "kx/com_ptr.h"
#include "kx/unique_bstr.h"
#include "print_schema.h"
#include "print_ticket_manager.h"

namespace kx {

class FilterBase : public IPrintPipelineFilter {
 public:
  FilterBase(const FilterBase&) = delete;
  FilterBase& operator=(const FilterBase&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE InitializeFilter(IInterFilterCommunicator* communicator,
                                             IPrintPipelinePropertyBag* propertyBag,
                                             IPrintPipelineManagerControl* managerControl) override;
  HRESULT STDMETHODCALLTYPE ShutdownOperation() override;
  HRESULT STDMETHODCALLTYPE StartOperation() override = 0;

  virtual ~FilterBase();

  // Loads the user's default ticket for the printer into the ticket manager.
  virtual HRESULT LoadUserTicket();

 protected:
  // Starts with one reference, owned by the creator. Throws CXDException(E_OUTOFMEMORY).
  FilterBase();

  // Sends FilterFinished unless it was sent or ShutdownOperation ran; sets `finished`.
  void ReportFinished();

  LONG volatile referenceCount_ = 1;
  IID interfaceId_;
  ComPtr<IInterFilterCommunicator> communicator_;
  ComPtr<IPrintPipelineManagerControl> managerControl_;
  ComPtr<IPrintPipelinePropertyBag> propertyBag_;
  PrintTicketManager ticketManager_;
  std::atomic<LONG> finished_{0};  // written by ShutdownOperation on another thread
  UniqueBstr privateNamespace_;
  ComPtr<IPrintClassObjectFactory> classObjectFactory_;
  UniqueBstr printerName_;
  ULONG jobId_ = 0;
};

}  // namespace kx
