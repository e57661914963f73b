#include "font_obfuscation.h"

namespace kx::xps {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view StemOf(std::string_view partName) {
  std::string_view stem = partName.substr(partName.rfind('/') + 1);
  stem = stem.substr(0, stem.find('.'));
  if (stem.size() == 38 && stem.front() == '{' && stem.back() == '}') stem = stem.substr(1, 36);
  return stem;
}

}  // namespace

std::optional<ObfuscationKey> ObfuscationKeyOf(std::string_view partName) {
  const std::string_view guid = StemOf(partName);
  if (guid.size() != 36) return std::nullopt;
  ObfuscationKey key{};
  std::size_t digit = 0;
  for (std::size_t i = 0; i < guid.size(); ++i) {
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (guid[i] != '-') return std::nullopt;
      continue;
    }
    const int value = HexValue(guid[i]);
    if (value < 0) return std::nullopt;
    key[digit / 2] = static_cast<std::uint8_t>(key[digit / 2] << 4 | value);
    ++digit;
  }
  return key;
}

void ApplyObfuscation(const ObfuscationKey& key, std::uint64_t position,
                      std::span<std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size() && position + i < kObfuscatedBytes; ++i)
    bytes[i] ^= key[15 - (position + i) % 16];
}

}  // namespace kx::xps
