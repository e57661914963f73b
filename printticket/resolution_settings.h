// ResolutionSettings: the resolution and quality the rip filter renders at.
#pragma once

#include "print_ticket_document.h"

namespace kx {

struct ResolutionSettings {
  int resolutionX = 600;
  int resolutionY = 600;
  int highQuality1200 = 0;  // private HQ1200Mode "On"
  int resolutionIndex = 1;  // 0: 1200, 1: 600, 2: 300, 3: 200, 4: 150 dpi
  int quality = 0;          // Normal, High, Automatic, Draft, Fax, Photographic, Text
};

// S_OK; S_FEATURES_ABSENT when PageResolution or PageOutputQuality is absent.
HRESULT ReadResolution(const PrintTicketDocument& ticket, ResolutionSettings* record);

}  // namespace kx
