// The parts a page or the document uses besides markup: fonts, images, colour profiles,
// resource dictionaries, print tickets, thumbnails, and any other part (core properties,
// document structure), which answers IPartBase alone.
#pragma once

#include "package_part.h"

namespace kx::xps {

// A font keeps two things apart: whether its stored bytes are obfuscated (fonts read from the
// package), which GetStream undoes, and whether it is to be written obfuscated (its options).
class FontPart final : public PackagePart<IPartFont> {
 public:
  FontPart(std::string name, std::string contentType, ContentPtr content, bool storedObfuscated);

  HRESULT STDMETHODCALLTYPE GetFontProperties(BSTR* contentType, EXpsFontOptions* options) override;
  HRESULT STDMETHODCALLTYPE SetFontContent(BSTR contentType) override;
  HRESULT STDMETHODCALLTYPE SetFontOptions(EXpsFontOptions options) override;

 protected:
  ComPtr<IPrintReadStream> OpenStream(ContentPtr content) override;

 private:
  const bool storedObfuscated_;
  EXpsFontOptions options_;
};

class ImagePart final : public PackagePart<IPartImage> {
 public:
  using PackagePart::PackagePart;
  HRESULT STDMETHODCALLTYPE GetImageProperties(BSTR* contentType) override {
    return CopyContentType(contentType);
  }
  HRESULT STDMETHODCALLTYPE SetImageContent(BSTR contentType) override {
    return AssignContentType(contentType);
  }
};

class ThumbnailPart final : public PackagePart<IPartThumbnail> {
 public:
  using PackagePart::PackagePart;
  HRESULT STDMETHODCALLTYPE GetThumbnailProperties(BSTR* contentType) override {
    return CopyContentType(contentType);
  }
  HRESULT STDMETHODCALLTYPE SetThumbnailContent(BSTR contentType) override {
    return AssignContentType(contentType);
  }
};

template <class Interface>
class PlainPart final : public PackagePart<Interface> {
 public:
  using PackagePart<Interface>::PackagePart;
};

using PrintTicketPart = PlainPart<IPartPrintTicket>;
using ColorProfilePart = PlainPart<IPartColorProfile>;
using ResourceDictionaryPart = PlainPart<IPartResourceDictionary>;
using OtherPart = PlainPart<IPartBase>;

}  // namespace kx::xps
