#include "output_ticket.h"

#include "input_bin_settings.h"
#include "job_info_settings.h"
#include "kx/hresult_error.h"
#include "nup_settings.h"

namespace kx {
namespace {

OutputTicketEdits EditsFor(const LayoutJob& job, OutputKind kind) {
  OutputTicketEdits edits;
  if (kind != OutputKind::kPageAlone) {
    const SheetMedia& media =
        kind == OutputKind::kBlankSide ? job.previousSheetMedia : job.sheetMedia;
    edits.media = true;
    edits.size = media.size;
    edits.mirror = media.mirror;
  }
  if (kind == OutputKind::kNewSheet) {
    edits.tray = true;
    edits.bin = job.leadingPages >= 1 ? job.firstBin : job.pageBin;
  } else if (kind == OutputKind::kPageAlone && job.leadingPages > 0) {
    edits.tray = true;
    edits.bin = job.firstBin;
  }
  if (edits.tray) edits.secondBin = job.secondBin;
  return edits;
}

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

// Changes base as edits say; one page per sheet too when the ticket goes onto a page.
HRESULT ApplyEdits(IXMLDOMDocument2* base, const OutputTicketEdits& edits, bool forPage) {
  const PrintTicketDocument ticket(TicketRoot::PrintTicket, kPrivateKeywordsNamespace, base);
  HRESULT hr = S_OK;
  if (edits.media) {
    hr = WriteMediaSize(ticket, edits.size);
    if (SUCCEEDED(hr)) hr = WriteMirror(ticket, edits.mirror);
    if (FAILED(hr)) return hr;
  }
  if (edits.tray) {
    hr = WriteTray(ticket, edits.bin, edits.secondBin);
    if (FAILED(hr)) return hr;
  }
  if (!forPage) return S_OK;
  NUpSettings nup{-1, 1, 0, 1};
  if (SUCCEEDED(ReadNUp(ticket, &nup)) && nup.feature != -1) {
    nup.pagesPerSheet = 1;
    WriteNUp(ticket, nup);  // the sheet is right without it
  }
  return S_OK;
}

HRESULT AttachTicket(IXpsDocumentConsumer* writer, IFixedPage* page, std::string_view xml,
                     const LayoutJob& job) {
  ComPtr<IPartPrintTicket> part;
  const HRESULT hr = job.ticketManager.WriteTicketPart(writer, xml, u"LO", &part);
  return FAILED(hr) ? hr : page->SetPrintTicket(part.Get());
}

// Changes a copy of base, which the holder keeps from then on, and attaches its XML to the page.
HRESULT WriteChanged(IXpsDocumentConsumer* writer, IFixedPage* page, ComPtr<IXMLDOMDocument2>& base,
                     const LayoutJob& job, const OutputTicketEdits& edits, std::string* xml) {
  ComPtr<IXMLDOMDocument2> changed;
  HRESULT hr = job.ticketManager.CloneTicket(base.Get(), &changed);
  if (SUCCEEDED(hr)) hr = ApplyEdits(changed.Get(), edits, page != nullptr);
  if (FAILED(hr)) return hr;
  base = changed;
  if (!page) return S_OK;
  hr = job.ticketManager.TicketXml(changed.Get(), xml);
  return FAILED(hr) ? hr : AttachTicket(writer, page, *xml, job);
}

}  // namespace

HRESULT WriteOutputTicket(IXpsDocumentConsumer* writer, IFixedPage* page,
                          ComPtr<IXMLDOMDocument2>& base, const LayoutJob& job, OutputKind kind) {
  const OutputTicketEdits edits = EditsFor(job, kind);
  if (!base || !edits.Any()) return S_OK;
  return HResultBoundary([&] {
    std::string xml;
    return WriteChanged(writer, page, base, job, edits, &xml);
  });
}

HRESULT WritePageOutputTicket(IXpsDocumentConsumer* writer, IFixedPage* page, LayoutJob& job,
                              OutputKind kind) {
  const OutputTicketEdits edits = EditsFor(job, kind);
  if (!job.currentTicket || !edits.Any()) return S_OK;
  const bool asMade = job.currentTicketAsMade;
  job.currentTicketAsMade = false;  // it is replaced below
  if (!page || !asMade) return WriteOutputTicket(writer, page, job.currentTicket, job, kind);
  return HResultBoundary([&] {
    const std::uint64_t source = job.ticketManager.PageTicketSource();
    if (const OutputTicket* known = job.outputTickets.Find(source, edits)) {
      job.currentTicket = known->ticket;
      return AttachTicket(writer, page, known->xml, job);
    }
    OutputTicket made;
    const HRESULT hr = WriteChanged(writer, page, job.currentTicket, job, edits, &made.xml);
    if (FAILED(hr)) return hr;
    made.ticket = job.currentTicket;
    job.outputTickets.Keep(source, edits, std::move(made));
    return S_OK;
  });
}

}  // namespace kx
