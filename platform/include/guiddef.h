// GUID, IID and CLSID; comparison, and compile-time construction from the registry form.
#pragma once

#include <compare>
#include <cstring>

#include "windef.h"

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];

  friend constexpr bool operator==(const GUID&, const GUID&) = default;
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using LPGUID = GUID*;
using LPCGUID = const GUID*;
using LPCLSID = CLSID*;

inline bool IsEqualGUID(REFGUID a, REFGUID b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
inline bool IsEqualIID(REFIID a, REFIID b) { return IsEqualGUID(a, b); }
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) { return IsEqualGUID(a, b); }

inline constexpr GUID GUID_NULL = {};

namespace kx {

namespace detail {
constexpr std::uint32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
  throw "GUID literal: not a hexadecimal digit";  // a compile error in constant evaluation
}

constexpr std::uint32_t HexField(const char* text, int digits) {
  std::uint32_t value = 0;
  for (int i = 0; i < digits; ++i) value = value << 4 | HexDigit(text[i]);
  return value;
}
}  // namespace detail

// Builds a GUID from "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" at compile time.
template <std::size_t N>
consteval GUID MakeGuid(const char (&text)[N]) {
  static_assert(N == 37, "GUID literal must have the form XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX");
  if (text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
    throw "GUID literal: misplaced hyphen";
  GUID g{};
  g.Data1 = detail::HexField(text, 8);
  g.Data2 = static_cast<std::uint16_t>(detail::HexField(text + 9, 4));
  g.Data3 = static_cast<std::uint16_t>(detail::HexField(text + 14, 4));
  g.Data4[0] = static_cast<std::uint8_t>(detail::HexField(text + 19, 2));
  g.Data4[1] = static_cast<std::uint8_t>(detail::HexField(text + 21, 2));
  for (int i = 0; i < 6; ++i)
    g.Data4[2 + i] = static_cast<std::uint8_t>(detail::HexField(text + 24 + 2 * i, 2));
  return g;
}

// Maps an interface type to its IID and the interface it derives from; specialised by
// KX_DEFINE_IID next to each interface.
template <class Interface>
struct InterfaceId;

}  // namespace kx

// Defines IID_<Interface> and ties it, with its base interface, to the interface type.
#define KX_DEFINE_IID(Interface, BaseInterface, text)          \
  inline constexpr IID IID_##Interface = ::kx::MakeGuid(text); \
  template <>                                                  \
  struct kx::InterfaceId<Interface> {                          \
    using Base = BaseInterface;                                \
    static constexpr const IID& value = IID_##Interface;       \
  }
