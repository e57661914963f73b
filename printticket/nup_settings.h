// NUpSettings: several pages on one sheet: how many, in which order, with which border.
// Only the job N-up feature is read.
#pragma once

#include "print_ticket_document.h"

namespace kx {

struct NUpSettings {
  int feature = -1;       // 0 job N-up read; -1 absent; the writer takes 1 like 0
  int pagesPerSheet = 1;  // never 0 or less after a read
  int direction = 0;      // 0 RightBottom, 1 BottomRight, 2 LeftBottom, 3 BottomLeft
  int border = 0;         // 0 None, 1 SolidLine, 2 BreakLine
};

HRESULT ReadNUp(const PrintTicketDocument& ticket, NUpSettings* record);
// Writes nothing but the deletion when pages per sheet is 0 or less.
HRESULT WriteNUp(const PrintTicketDocument& ticket, const NUpSettings& record);
HRESULT DeleteNUp(const PrintTicketDocument& ticket);

}  // namespace kx
