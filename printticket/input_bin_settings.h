// InputBinSettings: the tray of the pages (slot 0) and an optional second tray (slot 1).
#pragma once

#include <cstdint>
#include <string>

#include "print_ticket_document.h"

namespace kx {

// Rows of the bin table.
enum : int { kAutoSelectBin = 0, kSameTrayBin = 1, kManualBin = 10, kBinRows = 12 };

struct InputBinSettings {
  std::uint32_t binIndex[2] = {kAutoSelectBin, kSameTrayBin};
  std::u16string binName[2] = {u"AutoSelect", u"SameTray"};
  std::uint32_t binPrivate[2] = {0, 1};
  int secondBinInvalid = 0;

  // Stores a row's index, name and namespace together; E_FAIL for a slot or row outside the
  // table.
  HRESULT SetSlot(int slot, int row);
};

HRESULT ReadInputBin(const PrintTicketDocument& ticket, InputBinSettings* record);
HRESULT WriteInputBin(const PrintTicketDocument& ticket, const InputBinSettings* record);
HRESULT DeleteInputBin(const PrintTicketDocument& ticket);

}  // namespace kx
