// PackagePart: the part objects of the package layer. Every part answers its pipeline
// interfaces and IKxPackagePart, through which the package writer learns what the pipeline
// interfaces do not carry: the content type, relationships kept from the input (document
// structure, story fragments, core properties...) and how the part was referenced.
//
// A part belongs to one filter at a time; the queue between filters hands it over. Its
// mutable state is still locked, because resources are shared by several pages.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "filterpipeline.h"
#include "font_obfuscation.h"
#include "kx/com_object.h"
#include "kx/utf16.h"
#include "part_content.h"
#include "read_stream.h"
#include "xps_schema.h"

namespace kx::xps {

struct KeptRelationship {
  std::string id;
  std::string type;
  std::string externalTarget;  // set for a relationship outside the package
  ComPtr<IUnknown> target;     // the part, for one inside
};

struct PartExtras {
  std::vector<KeptRelationship> kept;
  std::string referenceAttributes;  // of the PageContent or DocumentReference, Source excluded
  std::string referenceMarkup;      // children of the PageContent (link targets)
  Flavour flavour = Flavour::kMicrosoftXps;
};

}  // namespace kx::xps

struct IKxPackagePart : IUnknown {
  virtual std::string STDMETHODCALLTYPE ContentType() = 0;
  // Filled by the reader before the part is handed out; read-only after.
  virtual kx::xps::PartExtras& STDMETHODCALLTYPE Extras() = 0;
  // Replaces the content, as closing a part's write stream does.
  virtual void STDMETHODCALLTYPE SetContent(kx::xps::ContentPtr content) = 0;

 protected:
  ~IKxPackagePart() = default;
};
KX_DEFINE_IID(IKxPackagePart, IUnknown, "01BF6B0F-99C6-4C9B-89CC-052BCCFEB2E6");

namespace kx::xps {

BSTR AllocBstr(std::string_view utf8);
std::string BstrToUtf8(BSTR text);

// The part name of any part object, in UTF-8; empty when it has none.
std::string NameOfPart(IUnknown* part);

template <class Interface, class... More>
class PackagePart : public ComObject<Interface, IKxPackagePart, More...> {
 public:
  PackagePart(std::string name, std::string contentType, ContentPtr content)
      : name_(std::move(name)),
        contentType_(std::move(contentType)),
        content_(std::move(content)) {}

  HRESULT STDMETHODCALLTYPE GetUri(BSTR* uri) override {
    if (!uri) return E_POINTER;
    *uri = AllocBstr(name_);
    return *uri ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetStream(IPrintReadStream** stream) override {
    if (!stream) return E_POINTER;
    *stream = nullptr;
    const ContentPtr content = Content();
    return PackageBoundary(content->Log(), [&] { return OpenStream(content).CopyTo(stream); });
  }
  HRESULT STDMETHODCALLTYPE GetPartCompression(EXpsCompressionOptions* compression) override {
    if (!compression) return E_POINTER;
    std::lock_guard lock(mutex_);
    *compression = compression_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetPartCompression(EXpsCompressionOptions compression) override {
    if (compression > Compression_Fast) return E_INVALIDARG;
    std::lock_guard lock(mutex_);
    compression_ = compression;
    return S_OK;
  }

  std::string STDMETHODCALLTYPE ContentType() override {
    std::lock_guard lock(mutex_);
    return contentType_;
  }
  PartExtras& STDMETHODCALLTYPE Extras() override { return extras_; }

  const std::string& Name() const { return name_; }
  ContentPtr Content() const {
    std::lock_guard lock(mutex_);
    return content_;
  }
  void STDMETHODCALLTYPE SetContent(ContentPtr content) override {
    std::lock_guard lock(mutex_);
    content_ = std::move(content);
  }

 protected:
  // The stream of GetStream; a font stored obfuscated overrides it.
  virtual ComPtr<IPrintReadStream> OpenStream(ContentPtr content) {
    return CreateReadStream(std::move(content));
  }
  HRESULT CopyContentType(BSTR* type) {
    if (!type) return E_POINTER;
    *type = AllocBstr(ContentType());
    return *type ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT AssignContentType(BSTR type) {
    if (!type || !*type) return E_INVALIDARG;
    std::string text = BstrToUtf8(type);
    std::lock_guard lock(mutex_);
    contentType_ = std::move(text);
    return S_OK;
  }

  mutable std::mutex mutex_;

 private:
  const std::string name_;
  std::string contentType_;
  ContentPtr content_;
  EXpsCompressionOptions compression_ = Compression_Normal;
  PartExtras extras_;
};

}  // namespace kx::xps
