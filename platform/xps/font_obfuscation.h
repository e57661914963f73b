// The XPS font obfuscation: the first 32 bytes of a font are XORed with the GUID its part name
// is made of. The operation is its own inverse, so one function obfuscates and restores.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kx::xps {

using ObfuscationKey = std::array<std::uint8_t, 16>;

// Number of leading font bytes the obfuscation changes.
inline constexpr std::uint64_t kObfuscatedBytes = 32;

// The key of a part named "/any/path/XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX.ext" (braces
// allowed around the GUID); empty when the last segment is no GUID.
std::optional<ObfuscationKey> ObfuscationKeyOf(std::string_view partName);

// Applies the obfuscation to bytes that start at offset `position` of the font.
void ApplyObfuscation(const ObfuscationKey& key, std::uint64_t position,
                      std::span<std::uint8_t> bytes);

}  // namespace kx::xps
