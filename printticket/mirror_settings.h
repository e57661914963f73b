// MirrorSettings: mirror image, and reverse image (carried out as a half turn of the page).
#pragma once

#include "print_ticket_document.h"

namespace kx {

struct MirrorSettings {
  int mirror = 2;   // 0 MirrorImageWidth, 1 MirrorImageHeight, 2 None
  int reverse = 0;  // 0 Off, 1 On (private feature PageReverseImage)

  bool operator==(const MirrorSettings&) const = default;
};

HRESULT ReadMirror(const PrintTicketDocument& ticket, MirrorSettings* record);
HRESULT WriteMirror(const PrintTicketDocument& ticket, const MirrorSettings& record);

}  // namespace kx
