#include "package_part.h"

#include "kx/unique_bstr.h"

namespace kx::xps {

BSTR AllocBstr(std::string_view utf8) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string BstrToUtf8(BSTR text) {
  return Utf16ToUtf8(std::u16string_view(text ? text : u"", SysStringLen(text)));
}

std::string NameOfPart(IUnknown* part) {
  ComPtr<IPartBase> base;
  if (!part || FAILED(ComPtr<IUnknown>(part).As(base))) return {};
  UniqueBstr uri;
  if (FAILED(base->GetUri(uri.ResetAndGetAddressOf()))) return {};
  return BstrToUtf8(uri.Get());
}

}  // namespace kx::xps
