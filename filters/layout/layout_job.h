// LayoutJob: the per-job state of the layout filter: the tickets and parts being processed,
// the open sheet, the slot list of the current page, the three layout components, the media of
// the page and of the sheets, tray separation and input trays. Reset at every document
// sequence, except the division text, which lives as long as the filter. Used on the part
// loop's thread only.
#pragma once

#include <string>
#include <vector>

#include "binding_layout.h"
#include "device_imageable_area.h"
#include "filterpipeline.h"
#include "input_bin_settings.h"
#include "kx/com_ptr.h"
#include "msxml6.h"
#include "nup_layout.h"
#include "open_sheet.h"
#include "output_ticket_memo.h"
#include "page_ticket_settings.h"
#include "part_names.h"
#include "poster_layout.h"
#include "print_ticket_manager.h"
#include "sheet_media.h"
#include "sheet_slot.h"

namespace kx {

// The DivideCondition of the previous page; a change starts a new division of the job.
struct DivisionState {
  std::u16string text;
  bool seen = false;

  // True when a page was seen before and its text differs; then keeps the new text. An absent
  // DivideCondition reads as an empty one, so tickets without it never divide a job.
  bool StartsDivision(std::u16string_view pageText) {
    const bool starts = seen && text != pageText;
    text = pageText;
    seen = true;
    return starts;
  }
};

struct LayoutJob {
  explicit LayoutJob(PrintTicketManager& manager) : ticketManager(manager) {}

  void Reset();
  // Visits the components in the order binding, N-up, poster; the first failure stops.
  HRESULT VisitActive(LayoutVisitor& visitor);
  HRESULT VisitAll(LayoutVisitor& visitor);

  ComPtr<IXMLDOMDocument2> currentTicket;
  bool currentTicketAsMade = false;      // it is the page ticket the manager lent, as it was made
  ComPtr<IXMLDOMDocument2> sheetTicket;  // of the first page on the open sheet
  PrintTicketManager& ticketManager;
  bool traySetupDone = false;
  int leadingPages = 0;  // pages still to come from the first tray
  bool firstPaper = false;
  bool separateTray = false;
  ComPtr<IFixedDocumentSequence> sequence;
  ComPtr<IFixedDocument> document;
  ComPtr<IFixedPage> page;
  OpenSheet openSheet;
  std::vector<SheetSlot> slots;
  BindingLayout binding;
  NUpLayout nup;
  PosterLayout poster;
  DivisionState division;
  bool divisionStarted = false;
  SheetMedia pageMedia;
  SheetMedia sheetMedia;
  SheetMedia previousSheetMedia;
  int firstBin = kAutoSelectBin;
  int secondBin = kSameTrayBin;
  int pageBin = kAutoSelectBin;
  bool firstBinLatched = false;
  int landscapeRotation = 270;
  SheetPartNames partNames;
  ImageableAreaCache imageableAreas;
  PageSettingsMemo pageSettings;
  OutputTicketMemo outputTickets;

 private:
  template <class Pick>
  HRESULT Visit(LayoutVisitor& visitor, Pick pick);
};

}  // namespace kx
