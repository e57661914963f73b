// BindingSettings: binding edge or booklet, gutter, booklet method and sheets per booklet set.
// Only the job binding feature is read.
#pragma once

#include <cstdint>

#include "print_ticket_document.h"

namespace kx {

// Rows of the binding table.
enum : int {
  kBindBottom = 0,
  kBindLeft = 1,
  kBindRight = 2,
  kBindTop = 3,
  kBooklet = 4,
  kBookletReverseFlip = 5,
};

struct BindingSettings {
  int feature = -1;  // 0 JobBindAllDocuments, 1 DocumentBinding, -1 none
  int binding = kBindLeft;
  std::uint32_t gutter = 0;  // microns
  int gutterControl = 0;
  int unit = 0;  // 0 microns, 1 inches
  std::uint32_t dependOnDuplex = 0;
  int optionControl = 0;
  int bookletMethod = 0;  // 0 AllPagesAtOnce, 1 DivideIntoSets
  std::uint32_t divideSheets = 0;
};

HRESULT ReadBinding(const PrintTicketDocument& ticket, BindingSettings* record);
HRESULT WriteBinding(const PrintTicketDocument& ticket, const BindingSettings& record);
HRESULT DeleteBinding(const PrintTicketDocument& ticket);

}  // namespace kx
