#include "piece_name.h"

#include <charconv>

#include "part_name.h"

namespace kx::xps {
namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         PartNameKey(text.substr(text.size() - suffix.size())) == suffix;
}

}  // namespace

std::optional<PieceName> ParsePieceName(std::string_view itemName) {
  const std::size_t open = itemName.rfind("/[");
  if (open == std::string_view::npos || open == 0) return std::nullopt;
  std::string_view suffix = itemName.substr(open + 2);
  const std::size_t close = suffix.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  const std::string_view digits = suffix.substr(0, close);
  const std::string_view rest = suffix.substr(close + 1);

  PieceName piece{itemName.substr(0, open), 0, false};
  if (rest.size() == 6 && EndsWithIgnoringCase(rest, ".piece")) {
    piece.last = false;
  } else if (rest.size() == 11 && EndsWithIgnoringCase(rest, ".last.piece")) {
    piece.last = true;
  } else {
    return std::nullopt;
  }
  if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) return std::nullopt;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), piece.number);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return piece;
}

}  // namespace kx::xps
