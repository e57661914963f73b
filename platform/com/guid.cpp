// GUIDs: the registry text form, and new random GUIDs.
#include <random>

#include "objbase.h"

namespace {

constexpr int kGuidTextLength = 38;  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}

int HexValue(OLECHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Reads `digits` hex digits at text[pos]; false when one is not a hex digit.
bool ReadHex(LPCOLESTR text, int pos, int digits, std::uint32_t& value) {
  value = 0;
  for (int i = 0; i < digits; ++i) {
    int digit = HexValue(text[pos + i]);
    if (digit < 0) return false;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return true;
}

bool ParseGuid(LPCOLESTR text, GUID& guid) {
  if (!text) return false;
  for (int i = 0; i < kGuidTextLength; ++i)
    if (!text[i]) return false;
  if (text[0] != u'{' || text[37] != u'}' || text[38] != 0) return false;
  if (text[9] != u'-' || text[14] != u'-' || text[19] != u'-' || text[24] != u'-') return false;
  std::uint32_t value = 0;
  if (!ReadHex(text, 1, 8, value)) return false;
  guid.Data1 = value;
  if (!ReadHex(text, 10, 4, value)) return false;
  guid.Data2 = static_cast<std::uint16_t>(value);
  if (!ReadHex(text, 15, 4, value)) return false;
  guid.Data3 = static_cast<std::uint16_t>(value);
  static constexpr int kBytePositions[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) {
    if (!ReadHex(text, kBytePositions[i], 2, value)) return false;
    guid.Data4[i] = static_cast<std::uint8_t>(value);
  }
  return true;
}

void WriteHex(LPOLESTR out, std::uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int i = digits - 1; i >= 0; --i, value >>= 4)
    out[i] = static_cast<OLECHAR>(kDigits[value & 0xF]);
}

}  // namespace

extern "C" {

int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
  if (!lpsz || cchMax < kGuidTextLength + 1) return 0;
  lpsz[0] = u'{';
  WriteHex(lpsz + 1, rguid.Data1, 8);
  lpsz[9] = u'-';
  WriteHex(lpsz + 10, rguid.Data2, 4);
  lpsz[14] = u'-';
  WriteHex(lpsz + 15, rguid.Data3, 4);
  lpsz[19] = u'-';
  WriteHex(lpsz + 20, rguid.Data4[0], 2);
  WriteHex(lpsz + 22, rguid.Data4[1], 2);
  lpsz[24] = u'-';
  for (int i = 0; i < 6; ++i) WriteHex(lpsz + 25 + 2 * i, rguid.Data4[2 + i], 2);
  lpsz[37] = u'}';
  lpsz[38] = 0;
  return kGuidTextLength + 1;
}

HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid) {
  if (!pclsid) return E_INVALIDARG;
  GUID guid{};
  if (!ParseGuid(lpsz, guid)) return CO_E_CLASSSTRING;
  *pclsid = guid;
  return S_OK;
}

HRESULT IIDFromString(LPCOLESTR lpsz, IID* lpiid) {
  if (!lpiid) return E_INVALIDARG;
  GUID guid{};
  if (!ParseGuid(lpsz, guid)) return E_INVALIDARG;
  *lpiid = guid;
  return S_OK;
}

HRESULT CoCreateGuid(GUID* pguid) {
  if (!pguid) return E_INVALIDARG;
  thread_local std::mt19937_64 generator{std::random_device{}()};
  std::uint64_t high = generator();
  std::uint64_t low = generator();
  pguid->Data1 = static_cast<std::uint32_t>(high >> 32);
  pguid->Data2 = static_cast<std::uint16_t>(high >> 16);
  // Version 4 (random) in the top nibble of Data3, variant 10xx in Data4[0].
  pguid->Data3 = static_cast<std::uint16_t>((high & 0x0FFF) | 0x4000);
  for (int i = 0; i < 8; ++i) pguid->Data4[i] = static_cast<std::uint8_t>(low >> (56 - 8 * i));
  pguid->Data4[0] = static_cast<std::uint8_t>((pguid->Data4[0] & 0x3F) | 0x80);
  return S_OK;
}

}  // extern "C"
