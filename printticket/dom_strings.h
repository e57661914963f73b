// Moving text between std::u16string and the BSTRs and VARIANTs of the DOM interfaces.
// Allocation failures throw std::bad_alloc, which the callers' HResultBoundary turns into
// E_OUTOFMEMORY.
#pragma once

#include <string>
#include <string_view>

#include "kx/scoped_variant.h"
#include "kx/unique_bstr.h"

namespace kx {

UniqueBstr NewBstr(std::u16string_view text);

// A VARIANT holding a copy of text (VT_BSTR); the caller clears it.
void SetVariantText(VARIANT* variant, std::u16string_view text);

// The text of a VT_BSTR VARIANT; empty for any other type.
std::u16string VariantText(const VARIANT& variant);

}  // namespace kx
