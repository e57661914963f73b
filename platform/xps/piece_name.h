// Interleaved parts: a part stored as ZIP items "<name>/[0].piece" ... "<name>/[n].last.piece".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kx::xps {

struct PieceName {
  std::string_view prefix;  // the item name of the whole part
  std::uint32_t number;
  bool last;
};

// The piece an item name stands for; empty for an item that is a whole part. The suffix is
// matched case-insensitively; a number with a leading zero is no piece number.
std::optional<PieceName> ParsePieceName(std::string_view itemName);

}  // namespace kx::xps
