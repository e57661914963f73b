// PageTicketSettings: what the layout reads from a page ticket: the page's media, imageable
// area and mirror, its poster setting, its first input tray and its DivideCondition. A plain
// value; PageSettingsMemo keeps the last one read.
#pragma once

#include <string>

#include "input_bin_settings.h"
#include "poster_settings.h"
#include "sheet_media.h"
#include "ticket_memo.h"

namespace kx {

struct PageTicketSettings {
  SheetMedia media;
  PosterSettings poster;
  int firstBin = kAutoSelectBin;
  std::u16string divideCondition;

  bool operator==(const PageTicketSettings&) const = default;
};

// Readers leave what a ticket does not say as it was, so the settings read depend on the
// settings before as well as on the ticket.
using PageSettingsMemo = TicketMemo<PageTicketSettings, PageTicketSettings>;

}  // namespace kx
