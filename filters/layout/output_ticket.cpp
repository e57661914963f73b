#include "output_ticket.h"

#include "input_bin_settings.h"
#include "job_info_settings.h"
#include "kx/hresult_error.h"
#include "nup_settings.h"

namespace kx {
namespace {

// The tray of the page, a second tray that the device is not to use, and no tray separation
// left for the filters after this one.
HRESULT WriteTray(const PrintTicketDocument& ticket, int pageBin, int secondBin) {
  InputBinSettings bins;
  HRESULT hr = bins.SetSlot(0, pageBin);
  if (SUCCEEDED(hr)) hr = bins.SetSlot(1, secondBin);
  if (FAILED(hr)) return hr;
  bins.secondBinInvalid = 1;
  hr = WriteInputBin(ticket, &bins);
  if (FAILED(hr)) return hr;
  JobInfoSettings info;
  hr = ReadJobInfo(ticket, &info);
  if (FAILED(hr)) return hr;
  info.separateTrayMode = 0;
  return WriteJobInfo(ticket, info);
}

}  // namespace

HRESULT WriteOutputTicket(IXpsDocumentConsumer* writer, IFixedPage* page, IXMLDOMDocument2* base,
                          const LayoutJob& job, OutputKind kind) {
  if (!base) return S_OK;
  return HResultBoundary([&] {
    const PrintTicketDocument ticket(TicketRoot::PrintTicket, kPrivateKeywordsNamespace, base);
    bool written = false;
    if (kind != OutputKind::kPageAlone) {
      const SheetMedia& media =
          kind == OutputKind::kBlankSide ? job.previousSheetMedia : job.sheetMedia;
      HRESULT hr = WriteMediaSize(ticket, media.size);
      if (SUCCEEDED(hr)) hr = WriteMirror(ticket, media.mirror);
      if (FAILED(hr)) return hr;
      written = true;
    }
    if (kind == OutputKind::kNewSheet) {
      const int bin = job.leadingPages >= 1 ? job.firstBin : job.pageBin;
      const HRESULT hr = WriteTray(ticket, bin, job.secondBin);
      if (FAILED(hr)) return hr;
      written = true;
    } else if (kind == OutputKind::kPageAlone && job.leadingPages > 0) {
      const HRESULT hr = WriteTray(ticket, job.firstBin, job.secondBin);
      if (FAILED(hr)) return hr;
      written = true;
    }
    if (!written || !page) return S_OK;

    NUpSettings nup{-1, 1, 0, 1};
    if (SUCCEEDED(ReadNUp(ticket, &nup)) && nup.feature != -1) {
      nup.pagesPerSheet = 1;
      WriteNUp(ticket, nup);  // the sheet is right without it
    }
    ComPtr<IPartPrintTicket> part;
    HRESULT hr = job.ticketManager.WriteTicketPart(writer, base, u"LO", &part);
    return FAILED(hr) ? hr : page->SetPrintTicket(part.Get());
  });
}

}  // namespace kx
