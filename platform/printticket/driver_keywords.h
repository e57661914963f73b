// The private keywords of this driver, as its own ticket provider knows them.
#pragma once

#include <string_view>

#include "ticket_model.h"

namespace kx::pt {

inline constexpr std::string_view kDriverNs =
    "http://schemas.kexley.example/printing/2026/keywords";

inline QName DriverKeyword(std::string_view local) {
  return {std::string(kDriverNs), std::string(local)};
}

}  // namespace kx::pt
