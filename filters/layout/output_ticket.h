// WriteOutputTicket: the page ticket every page the layout filter sends gets: the sheet's media
// and mirror, the input tray, tray separation switched off, and one page per sheet, attached to
// the page as a new "LO" ticket part. Tickets are never changed in place (a ticket may be lent,
// or shared by several pages): the holder of the base gets a changed copy.
#pragma once

#include "filterpipeline.h"
#include "layout_job.h"
#include "msxml6.h"

namespace kx {

enum class OutputKind {
  kSheetAfterTraySeparation = 1,  // a blank side right after the first-tray pages
  kNewSheet = 3,
  kPageAlone = 4,  // a page forwarded without composition
  kBlankSide = 8,  // any other blank side: the media of the previous sheet
};

// Nothing is written (S_OK) when there is no base ticket, or for a page forwarded alone once
// the first-tray pages are done.
HRESULT WriteOutputTicket(IXpsDocumentConsumer* writer, IFixedPage* page,
                          ComPtr<IXMLDOMDocument2>& base, const LayoutJob& job, OutputKind kind);

// The same with the current page's ticket as the base. While that ticket is the page ticket as
// its source made it, the output ticket kept from an earlier page of the same source and
// changes is used: it becomes the current ticket and its XML is written.
HRESULT WritePageOutputTicket(IXpsDocumentConsumer* writer, IFixedPage* page, LayoutJob& job,
                              OutputKind kind);

}  // namespace kx
