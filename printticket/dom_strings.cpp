#include "dom_strings.h"

#include <new>

namespace kx {

UniqueBstr NewBstr(std::u16string_view text) {
  UniqueBstr result(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
  if (!result.Get()) throw std::bad_alloc();
  return result;
}

void SetVariantText(VARIANT* variant, std::u16string_view text) {
  VariantClear(variant);
  variant->bstrVal = NewBstr(text).Release();
  variant->vt = VT_BSTR;
}

std::u16string VariantText(const VARIANT& variant) {
  if (variant.vt != VT_BSTR || !variant.bstrVal) return {};
  return std::u16string(variant.bstrVal, SysStringLen(variant.bstrVal));
}

}  // namespace kx
