// BSTR allocation: a four-byte byte count, the UTF-16 text, and a terminator.
#include <cstdlib>
#include <cstring>

#include "oleauto.h"

namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);
// The byte count is 32 bits; keep the total well inside it.
constexpr UINT kMaxLength = 0x3FFFFFF0u;

std::uint32_t* Header(BSTR text) { return reinterpret_cast<std::uint32_t*>(text) - 1; }

}  // namespace

extern "C" {

BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
  if (ui > kMaxLength) return nullptr;
  auto* block = static_cast<std::uint32_t*>(std::malloc(kPrefix + (ui + 1) * sizeof(OLECHAR)));
  if (!block) return nullptr;
  block[0] = ui * sizeof(OLECHAR);
  auto* text = reinterpret_cast<OLECHAR*>(block + 1);
  if (strIn)
    std::memcpy(text, strIn, ui * sizeof(OLECHAR));
  else
    std::memset(text, 0, ui * sizeof(OLECHAR));
  text[ui] = 0;
  return text;
}

BSTR SysAllocString(const OLECHAR* psz) {
  if (!psz) return nullptr;
  UINT length = 0;
  while (psz[length]) ++length;
  return SysAllocStringLen(psz, length);
}

UINT SysStringByteLen(BSTR bstr) { return bstr ? *Header(bstr) : 0; }

UINT SysStringLen(BSTR pbstr) { return SysStringByteLen(pbstr) / sizeof(OLECHAR); }

void SysFreeString(BSTR bstrString) {
  if (bstrString) std::free(Header(bstrString));
}

}  // extern "C"
