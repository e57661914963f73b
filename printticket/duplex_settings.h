// DuplexSettings: one- or two-sided printing, automatic or manual duplex, and which side or
// sheet comes first. Only the job duplex feature is read.
#pragma once

#include "print_ticket_document.h"

namespace kx {

// Rows of the duplex table: the option and the duplex mode it stands for.
enum : int {
  kOneSided = 0,
  kShortEdgeAutomatic = 1,
  kShortEdgeManual = 2,
  kLongEdgeAutomatic = 3,
  kLongEdgeManual = 4,
};

struct DuplexSettings {
  int source = -1;  // 0 job feature found, -1 absent (nothing is written); 1 written like 0
  int duplex = kOneSided;
  int mode = 0;        // 0 none, 1 Automatic, 2 Manual
  int firstPaper = 0;  // 1: TraySeparationMode DuplexPrintFirstPaper
  int subMode = 0;     // DuplexModeSubData: 0 none, 1 Automatic, 2 Manual
};

HRESULT ReadDuplex(const PrintTicketDocument& ticket, DuplexSettings* record);
HRESULT WriteDuplex(const PrintTicketDocument& ticket, const DuplexSettings& record);
HRESULT DeleteDuplex(const PrintTicketDocument& ticket);

}  // namespace kx
