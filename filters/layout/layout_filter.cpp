#include "layout_filter.h"

#include "device_imageable_area.h"
#include "document_visitor.h"
#include "kx/scoped_variant.h"
#include "page_planner.h"
#include "sequence_visitor.h"
#include "settings_reconciler.h"
#include "sheet_writer.h"
#include "slot_placer.h"

namespace kx {

HRESULT LayoutFilter::ConnectStreams() {
  const HRESULT hr = XpsFilterBase::ConnectStreams();
  ScopedVariant rotation;
  if (propertyBag_ && SUCCEEDED(propertyBag_->GetProperty(u"LandscapeRotation", rotation.Out())) &&
      (rotation.Get().vt == VT_I4 || rotation.Get().vt == VT_UI4))
    job_.landscapeRotation = rotation.Get().lVal;
  return hr;
}

HRESULT LayoutFilter::TakeTicket(int scope) {
  IXMLDOMDocument2* ticket = nullptr;
  const HRESULT hr = ticketManager_.GetTicket(scope, &ticket);
  job_.currentTicket = ComPtr<IXMLDOMDocument2>(SUCCEEDED(hr) ? ticket : nullptr);
  job_.currentTicketAsMade = false;
  return hr;
}

HRESULT LayoutFilter::OnFixedDocumentSequence(IFixedDocumentSequence* sequence) {
  // A sheet still open from an earlier sequence is sent, not dropped.
  HRESULT hr = OnEndOfStream();
  if (FAILED(hr)) return hr;
  job_.Reset();
  if (!sequence) return E_POINTER;
  job_.sequence = ComPtr<IFixedDocumentSequence>(sequence);

  hr = ticketManager_.UpdateJobTicket(sequence);
  if (SUCCEEDED(hr)) hr = TakeTicket(kJobScope);
  if (SUCCEEDED(hr)) hr = SettingsReconciler(job_, kJobScope, writer_.Get()).Reconcile();
  if (FAILED(hr)) return hr;

  SequenceVisitor visitor;
  job_.VisitActive(visitor);
  hr = writer_->SendFixedDocumentSequence(sequence);
  job_.sequence.Reset();
  job_.currentTicket.Reset();
  return hr;
}

HRESULT LayoutFilter::OnFixedDocument(IFixedDocument* document) {
  if (!document) return E_POINTER;
  job_.document = ComPtr<IFixedDocument>(document);
  job_.currentTicket.Reset();
  HRESULT hr = ticketManager_.UpdateDocumentTicket(document);
  if (FAILED(hr)) return hr;
  // With both N-up and binding in force the job ticket has settled them.
  if (!job_.nup.IsActive() || !job_.binding.IsActive()) {
    hr = TakeTicket(kDocumentScope);
    if (FAILED(hr)) return hr;
  }
  hr = SettingsReconciler(job_, kDocumentScope, writer_.Get()).Reconcile();
  if (FAILED(hr)) return hr;

  DocumentVisitor visitor;
  job_.VisitActive(visitor);
  if (!visitor.Suppress()) hr = writer_->SendFixedDocument(document);
  job_.document.Reset();
  job_.currentTicket.Reset();
  return hr;
}

HRESULT LayoutFilter::OnFixedPage(IFixedPage* page) {
  if (!writer_) return E_PENDING;
  if (!page) return E_POINTER;
  job_.page = ComPtr<IFixedPage>(page);
  job_.currentTicket.Reset();

  IXMLDOMDocument2* ticket = nullptr;
  // Only read: changes go to copies, so pages without tickets can share one.
  HRESULT hr = ticketManager_.UpdatePageTicket(page, &ticket, TicketUse::kRead);
  if (FAILED(hr)) return hr;
  job_.currentTicket = ComPtr<IXMLDOMDocument2>(ticket);
  job_.currentTicketAsMade = true;
  hr = SettingsReconciler(job_, kPageScope, writer_.Get()).Reconcile();
  if (FAILED(hr)) return hr;

  DeviceImageableArea device(ticketManager_, job_.currentTicket.Get(), job_.imageableAreas);
  hr = PagePlanner(job_, device).Plan();
  if (SUCCEEDED(hr)) hr = SlotPlacer(job_).Place();
  if (FAILED(hr)) return hr;
  return SheetWriter(job_, writer_.Get()).Write();
}

HRESULT LayoutFilter::OnEndOfStream() {
  if (!writer_) return S_OK;
  return SheetWriter(job_, writer_.Get()).Flush();
}

}  // namespace kx
