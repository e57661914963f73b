#include "part_factory.h"

#include <utility>

#include "fixed_page.h"
#include "part_name.h"
#include "part_write_stream.h"
#include "resource_parts.h"

namespace kx::xps {
namespace {

constexpr std::pair<std::string_view, std::string_view> kExtensionTypes[] = {
    {"png", "image/png"},
    {"jpg", "image/jpeg"},
    {"jpeg", "image/jpeg"},
    {"tif", "image/tiff"},
    {"tiff", "image/tiff"},
    {"wdp", "image/vnd.ms-photo"},
    {"jxr", "image/vnd.ms-photo"},
    {"odttf", content_type::kObfuscatedFont},
    {"ttf", content_type::kFont},
    {"otf", content_type::kFont},
    {"icc", content_type::kColorProfile},
    {"icm", content_type::kColorProfile},
    {"dict", content_type::kResourceDictionary},
    {"fpage", content_type::kFixedPage},
    {"rels", content_type::kRelationships},
};

bool IsFontType(std::string_view type) {
  return type == content_type::kFont || type == content_type::kObfuscatedFont ||
         type == "application/x-font-ttf" || type == "application/x-font-otf";
}

template <class Part>
ComPtr<IUnknown> Wrap(Part* part, bool stored) {
  if (stored) part->SetPartCompression(Compression_NotCompressed);
  return ComPtr<IUnknown>::Attach(static_cast<IKxPackagePart*>(part));
}

// A new part of the kind riid names, with no content yet.
ComPtr<IUnknown> NewPartOfKind(REFIID riid, std::string name) {
  const std::string type(ContentTypeForExtension(PartNameKey(PartExtension(name))));
  if (IsEqualIID(riid, IID_IFixedPage))
    return Wrap(new FixedPagePart(std::move(name), std::string(content_type::kFixedPage),
                                  MakeBufferContent({})),
                false);
  if (IsEqualIID(riid, IID_IPartPrintTicket))
    return Wrap(new PrintTicketPart(std::move(name), std::string(content_type::kPrintTicket),
                                    MakeBufferContent({})),
                false);
  if (IsEqualIID(riid, IID_IPartFont))
    return Wrap(
        new FontPart(std::move(name), IsFontType(type) ? type : std::string(content_type::kFont),
                     MakeBufferContent({}), false),
        false);
  if (IsEqualIID(riid, IID_IPartImage))
    return Wrap(new ImagePart(std::move(name), type, MakeBufferContent({})), false);
  if (IsEqualIID(riid, IID_IPartColorProfile))
    return Wrap(new ColorProfilePart(std::move(name), std::string(content_type::kColorProfile),
                                     MakeBufferContent({})),
                false);
  if (IsEqualIID(riid, IID_IPartResourceDictionary))
    return Wrap(
        new ResourceDictionaryPart(std::move(name), std::string(content_type::kResourceDictionary),
                                   MakeBufferContent({})),
        false);
  if (IsEqualIID(riid, IID_IPartThumbnail))
    return Wrap(new ThumbnailPart(std::move(name), type, MakeBufferContent({})), false);
  return nullptr;
}

}  // namespace

std::string_view ContentTypeForExtension(std::string_view extension) {
  for (const auto& [known, type] : kExtensionTypes)
    if (known == extension) return type;
  return content_type::kOctetStream;
}

ComPtr<IUnknown> CreateResourcePart(std::string name, std::string contentType, ContentPtr content,
                                    bool stored) {
  if (IsFontType(contentType)) {
    const bool obfuscated = contentType == content_type::kObfuscatedFont;
    return Wrap(
        new FontPart(std::move(name), std::move(contentType), std::move(content), obfuscated),
        stored);
  }
  if (contentType.starts_with("image/"))
    return Wrap(new ImagePart(std::move(name), std::move(contentType), std::move(content)), stored);
  if (contentType == content_type::kColorProfile)
    return Wrap(new ColorProfilePart(std::move(name), std::move(contentType), std::move(content)),
                stored);
  if (contentType == content_type::kResourceDictionary)
    return Wrap(
        new ResourceDictionaryPart(std::move(name), std::move(contentType), std::move(content)),
        stored);
  return Wrap(new OtherPart(std::move(name), std::move(contentType), std::move(content)), stored);
}

HRESULT CreateEmptyPart(const WCHAR* uri, REFIID riid, void** part, IPrintWriteStream** stream) {
  if (!uri || !part || !stream) return E_POINTER;
  *part = nullptr;
  *stream = nullptr;
  return HResultBoundary([&] {
    std::string name = Utf16ToUtf8(uri);
    if (!IsValidPartName(name)) return E_INVALIDARG;
    ComPtr<IUnknown> created = NewPartOfKind(riid, std::move(name));
    if (!created) return E_NOINTERFACE;
    ComPtr<IKxPackagePart> target;
    created.As(target);
    ComPtr<IPrintWriteStream> writer = CreatePartWriteStream(
        [target](ContentPtr content) { target->SetContent(std::move(content)); });
    const HRESULT hr = created->QueryInterface(riid, part);
    if (FAILED(hr)) return hr;
    *stream = writer.Detach();
    return S_OK;
  });
}

}  // namespace kx::xps
