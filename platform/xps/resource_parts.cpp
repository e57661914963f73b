#include "resource_parts.h"

namespace kx::xps {

FontPart::FontPart(std::string name, std::string contentType, ContentPtr content,
                   bool storedObfuscated)
    : PackagePart(std::move(name), contentType, std::move(content)),
      storedObfuscated_(storedObfuscated),
      options_(contentType == content_type::kObfuscatedFont ? Font_Obfusticate : Font_Normal) {}

HRESULT FontPart::GetFontProperties(BSTR* contentType, EXpsFontOptions* options) {
  if (!contentType || !options) return E_POINTER;
  {
    std::lock_guard lock(mutex_);
    *options = options_;
  }
  return CopyContentType(contentType);
}

HRESULT FontPart::SetFontContent(BSTR contentType) { return AssignContentType(contentType); }

HRESULT FontPart::SetFontOptions(EXpsFontOptions options) {
  if (options != Font_Normal && options != Font_Obfusticate) return E_INVALIDARG;
  std::lock_guard lock(mutex_);
  options_ = options;
  return S_OK;
}

ComPtr<IPrintReadStream> FontPart::OpenStream(ContentPtr content) {
  if (!storedObfuscated_) return CreateReadStream(std::move(content));
  const auto key = ObfuscationKeyOf(Name());
  if (!key)
    ThrowPackageError(kInvalidPackage,
                      "font " + Name() + " is obfuscated but its name is not a GUID");
  return CreateReadStream(std::move(content), key);
}

}  // namespace kx::xps
