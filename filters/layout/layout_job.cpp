#include "layout_job.h"

namespace kx {

void LayoutJob::Reset() {
  currentTicket.Reset();
  currentTicketAsMade = false;
  sheetTicket.Reset();
  sequence.Reset();
  document.Reset();
  page.Reset();
  openSheet = OpenSheet{};
  slots.clear();
  imageableAreas.clear();
  pageSettings.Clear();
  outputTickets.Clear();
  pageMedia = SheetMedia{};
  sheetMedia = SheetMedia{};
  previousSheetMedia = SheetMedia{};
  leadingPages = 0;
  traySetupDone = false;
  firstPaper = false;
  separateTray = false;
  firstBinLatched = false;
  divisionStarted = false;
  binding.Reset();
  nup.Reset();
  poster.Reset();
}

template <class Pick>
HRESULT LayoutJob::Visit(LayoutVisitor& visitor, Pick pick) {
  LayoutComponent* const components[] = {&binding, &nup, &poster};
  for (LayoutComponent* component : components) {
    if (!pick(*component)) continue;
    const HRESULT hr = component->Accept(visitor);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT LayoutJob::VisitActive(LayoutVisitor& visitor) {
  // The active components are collected first: a visit may change what is active.
  bool active[3] = {binding.IsActive(), nup.IsActive(), poster.IsActive()};
  int index = 0;
  return Visit(visitor, [&](const LayoutComponent&) { return active[index++]; });
}

HRESULT LayoutJob::VisitAll(LayoutVisitor& visitor) {
  return Visit(visitor, [](const LayoutComponent&) { return true; });
}

}  // namespace kx
