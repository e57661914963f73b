// PosterSettings: one page spread over several sheets, with cut-out lines.
#pragma once

#include <cstdint>

#include "print_ticket_document.h"

namespace kx {

struct PosterSettings {
  int sheetsPerPage = 0;  // 0 when absent or not positive
  std::uint8_t hideFlag = 0;
  int cutOutLine = 0;  // 0 Off, 1 On

  bool operator==(const PosterSettings&) const = default;
};

HRESULT ReadPoster(const PrintTicketDocument& ticket, PosterSettings* record);

}  // namespace kx
