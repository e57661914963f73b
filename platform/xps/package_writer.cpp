#include "package_writer.h"

#include "kx/unique_bstr.h"
#include "kx/xml_escape.h"
#include "package_part.h"
#include "part_factory.h"
#include "part_name.h"

namespace kx::xps {
namespace {

constexpr std::size_t kCopyChunk = 65536;

int DeflateLevel(EXpsCompressionOptions compression) {
  switch (compression) {
    case Compression_NotCompressed:
      return 0;
    case Compression_Small:
      return 9;
    case Compression_Fast:
      return 1;
    default:
      return -1;
  }
}

ComPtr<IKxPackagePart> PackagePartOf(IUnknown* part) {
  ComPtr<IKxPackagePart> packagePart;
  ComPtr<IUnknown>(part).As(packagePart);
  return packagePart;
}

// The content type of a part; asked through the pipeline interfaces for parts of other makers.
std::string ContentTypeOf(IUnknown* part, const std::string& name) {
  if (const auto packagePart = PackagePartOf(part)) {
    std::string type = packagePart->ContentType();
    if (!type.empty()) return type;
  }
  UniqueBstr type;
  ComPtr<IUnknown> unknown(part);
  ComPtr<IPartFont> font;
  ComPtr<IPartImage> image;
  ComPtr<IPartThumbnail> thumbnail;
  EXpsFontOptions options = Font_Normal;
  if (SUCCEEDED(unknown.As(font)))
    font->GetFontProperties(type.ResetAndGetAddressOf(), &options);
  else if (SUCCEEDED(unknown.As(image)))
    image->GetImageProperties(type.ResetAndGetAddressOf());
  else if (SUCCEEDED(unknown.As(thumbnail)))
    thumbnail->GetThumbnailProperties(type.ResetAndGetAddressOf());
  if (type.Length()) return BstrToUtf8(type.Get());
  return std::string(ContentTypeForExtension(PartNameKey(PartExtension(name))));
}

// Whether the part is a font to be written obfuscated.
bool WantsObfuscation(IUnknown* part) {
  ComPtr<IPartFont> font;
  if (FAILED(ComPtr<IUnknown>(part).As(font))) return false;
  UniqueBstr type;
  EXpsFontOptions options = Font_Normal;
  return SUCCEEDED(font->GetFontProperties(type.ResetAndGetAddressOf(), &options)) &&
         options == Font_Obfusticate;
}

std::string ReferenceMarkup(std::string_view element, const std::string& from,
                            const std::string& to, const std::string& attributes,
                            const std::string& children) {
  std::string markup = "<" + std::string(element) + " Source=\"" +
                       XmlEscaped(RelativeReference(from, to)) + "\"" + attributes;
  if (children.empty()) return markup + "/>";
  return markup + ">" + children + "</" + std::string(element) + ">";
}

}  // namespace

ComPtr<PackageWriter> PackageWriter::Create(const std::string& path, std::shared_ptr<ErrorLog> log,
                                            PageObserver onPage) {
  return ComPtr<PackageWriter>::Attach(new PackageWriter(path, std::move(log), std::move(onPage)));
}

PackageWriter::PackageWriter(const std::string& path, std::shared_ptr<ErrorLog> log,
                             PageObserver onPage)
    : path_(path), log_(std::move(log)), onPage_(std::move(onPage)), zip_(path) {}

template <class Fn>
HRESULT PackageWriter::Guard(Fn&& fn) {
  if (FAILED(failure_)) return failure_;
  if (completed_) return E_UNEXPECTED;
  failure_ = PackageBoundary(log_.get(), [&] {
    fn();
    return S_OK;
  });
  return failure_;
}

void PackageWriter::Fail(const std::string& part, const std::string& problem) const {
  ThrowPackageError(kInvalidPackage, path_ + ": " + part + ": " + problem);
}

bool PackageWriter::MarkWritten(const std::string& name) {
  return written_.insert(std::hash<std::string>()(PartNameKey(name))).second;
}

bool PackageWriter::Written(const std::string& name) const {
  return written_.contains(std::hash<std::string>()(PartNameKey(name)));
}

HRESULT PackageWriter::SendXpsUnknown(IUnknown* part) {
  if (!part) return E_POINTER;
  return Guard([&] { WritePart(part); });
}

HRESULT PackageWriter::SendXpsDocument(IXpsDocument* document) {
  if (!document) return E_POINTER;
  return Guard([&] {
    ComPtr<IPartThumbnail> thumbnail;
    if (SUCCEEDED(document->GetThumbnail(thumbnail.ReleaseAndGetAddressOf())) && thumbnail)
      packageRelationships_.Add(kThumbnailRelationship, WritePart(thumbnail.Get()));
    AddKeptRelationships(document, packageRelationships_);
  });
}

HRESULT PackageWriter::SendFixedDocumentSequence(IFixedDocumentSequence* sequence) {
  if (!sequence) return E_POINTER;
  return Guard([&] {
    if (!sequence_.empty()) Fail(NameOfPart(sequence), "a second document sequence");
    sequence_ = NameOfPart(sequence);
    if (!IsValidPartName(sequence_)) Fail(sequence_, "invalid part name");
    if (const auto packagePart = PackagePartOf(sequence)) flavour_ = packagePart->Extras().flavour;
    packageRelationships_.Add(NamesOf(flavour_).startPart, sequence_);
    RelationshipsWriter relationships(sequence_);
    AddCommonRelationships(sequence, relationships);
    WriteRelationships(sequence_, relationships);
  });
}

HRESULT PackageWriter::SendFixedDocument(IFixedDocument* document) {
  if (!document) return E_POINTER;
  return Guard([&] {
    if (sequence_.empty()) Fail(NameOfPart(document), "a document before the sequence");
    FinishDocument();
    document_.name = NameOfPart(document);
    if (!IsValidPartName(document_.name)) Fail(document_.name, "invalid part name");
    if (const auto packagePart = PackagePartOf(document))
      document_.attributes = packagePart->Extras().referenceAttributes;
    RelationshipsWriter relationships(document_.name);
    AddCommonRelationships(document, relationships);
    WriteRelationships(document_.name, relationships);
  });
}

HRESULT PackageWriter::SendFixedPage(IFixedPage* page) {
  if (!page) return E_POINTER;
  return Guard([&] {
    const std::string name = NameOfPart(page);
    if (document_.name.empty()) Fail(name, "a page before any document");
    Reference reference{name, {}, {}};
    if (const auto packagePart = PackagePartOf(page)) {
      reference.attributes = packagePart->Extras().referenceAttributes;
      reference.markup = packagePart->Extras().referenceMarkup;
    }
    // A page sent twice is listed twice but written once.
    if (!Written(name)) {
      RelationshipsWriter relationships(name);
      ComPtr<IXpsPartIterator> resources;
      if (FAILED(page->GetXpsPartIterator(resources.ReleaseAndGetAddressOf())))
        Fail(name, "its resources cannot be listed");
      for (resources->Reset(); !resources->IsDone(); resources->Next()) {
        UniqueBstr uri;
        ComPtr<IUnknown> resource;
        if (FAILED(
                resources->Current(uri.ResetAndGetAddressOf(), resource.ReleaseAndGetAddressOf())))
          Fail(name, "its resources cannot be listed");
        relationships.Add(NamesOf(flavour_).requiredResource, WritePart(resource.Get()));
      }
      AddCommonRelationships(page, relationships);
      MarkWritten(name);
      WriteContent(page, name);
      WriteRelationships(name, relationships);
    }
    ListPage(reference);
    const unsigned count = ++pages_;
    if (onPage_) onPage_(count);
  });
}

HRESULT PackageWriter::CloseSender() {
  return Guard([&] {
    if (sequence_.empty()) Fail("/", "no document sequence was sent");
    FinishDocument();
    if (documents_.empty()) Fail(sequence_, "no pages were sent");
    std::string markup =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FixedDocumentSequence xmlns=\"" +
        std::string(NamesOf(flavour_).markup) + "\">";
    for (const Reference& document : documents_)
      markup +=
          ReferenceMarkup("DocumentReference", sequence_, document.name, document.attributes, {});
    WriteMarkup(sequence_, content_type::kFixedDocumentSequence,
                markup + "</FixedDocumentSequence>\n");
    WriteRelationships("/", packageRelationships_);
    zip_.OpenEntry(std::string(kContentTypesItem), -1);
    const std::string types = types_.Format();
    zip_.Write({reinterpret_cast<const std::uint8_t*>(types.data()), types.size()});
    zip_.CloseEntry();
    zip_.Close();
    completed_ = true;
  });
}

HRESULT PackageWriter::GetNewEmptyPart(const WCHAR* uri, REFIID riid, void** part,
                                       IPrintWriteStream** stream) {
  return CreateEmptyPart(uri, riid, part, stream);
}

void PackageWriter::ListPage(const Reference& page) {
  if (!document_.pageList) {
    document_.pageList.reset(std::tmpfile());
    if (!document_.pageList) Fail(document_.name, "no temporary file for its page list");
  }
  const std::string markup =
      ReferenceMarkup("PageContent", document_.name, page.name, page.attributes, page.markup);
  if (std::fwrite(markup.data(), 1, markup.size(), document_.pageList.get()) != markup.size())
    Fail(document_.name, "its page list cannot be kept");
  ++document_.pages;
}

void PackageWriter::FinishDocument() {
  if (document_.name.empty()) return;
  OpenDocument document = std::move(document_);
  document_ = {};
  if (document.pages == 0) return;  // a document whose pages were all dropped
  if (!MarkWritten(document.name)) Fail(document.name, "written twice");
  zip_.OpenEntry(document.name.substr(1), -1);
  const std::string start = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FixedDocument xmlns=\"" +
                            std::string(NamesOf(flavour_).markup) + "\">";
  zip_.Write({reinterpret_cast<const std::uint8_t*>(start.data()), start.size()});
  std::FILE* list = document.pageList.get();
  std::rewind(list);
  std::uint8_t buffer[16384];
  while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, list))
    zip_.Write({buffer, read});
  if (std::ferror(list)) Fail(document.name, "its page list cannot be read back");
  const std::string end = "</FixedDocument>\n";
  zip_.Write({reinterpret_cast<const std::uint8_t*>(end.data()), end.size()});
  zip_.CloseEntry();
  types_.Add(document.name, content_type::kFixedDocument);
  documents_.push_back({document.name, document.attributes, {}});
}

std::string PackageWriter::WritePart(IUnknown* part) {
  const std::string name = NameOfPart(part);
  if (!IsValidPartName(name)) Fail(name.empty() ? "a part" : name, "invalid part name");
  if (!MarkWritten(name)) return name;
  WriteContent(part, name);
  RelationshipsWriter relationships(name);
  AddKeptRelationships(part, relationships);
  WriteRelationships(name, relationships);
  return name;
}

void PackageWriter::WriteContent(IUnknown* part, const std::string& name) {
  ComPtr<IPartBase> base;
  if (FAILED(ComPtr<IUnknown>(part).As(base))) Fail(name, "not a part");
  std::string type = ContentTypeOf(part, name);
  std::optional<ObfuscationKey> key;
  if (WantsObfuscation(part)) {
    key = ObfuscationKeyOf(name);
    if (!key) Fail(name, "a font to be obfuscated needs a GUID as its name");
    type = content_type::kObfuscatedFont;
  } else if (type == content_type::kObfuscatedFont) {
    type = content_type::kFont;
  }
  EXpsCompressionOptions compression = Compression_Normal;
  base->GetPartCompression(&compression);
  ComPtr<IPrintReadStream> stream;
  if (FAILED(base->GetStream(stream.ReleaseAndGetAddressOf())))
    Fail(name, "its content cannot be read");

  zip_.OpenEntry(name.substr(1), DeflateLevel(compression));
  // One copy buffer for the writer's life: a fresh one per part costs an allocation, and its
  // pages are faulted in again each time.
  if (!copyBuffer_) copyBuffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kCopyChunk);
  std::uint8_t* const buffer = copyBuffer_.get();
  std::uint64_t position = 0;
  for (;;) {
    ULONG read = 0;
    BOOL end = FALSE;
    const HRESULT hr = stream->ReadBytes(buffer, kCopyChunk, &read, &end);
    // The stream has reported the cause itself; this message only counts if it did not.
    if (FAILED(hr)) throw PackageError(hr, path_ + ": " + name + ": its content cannot be read");
    if (read == 0) break;
    const std::span<std::uint8_t> chunk(buffer, read);
    if (key) ApplyObfuscation(*key, position, chunk);
    zip_.Write(chunk);
    position += read;
  }
  zip_.CloseEntry();
  types_.Add(name, type);
}

void PackageWriter::WriteMarkup(const std::string& name, std::string_view contentType,
                                const std::string& text) {
  if (!MarkWritten(name)) Fail(name, "written twice");
  zip_.OpenEntry(name.substr(1), -1);
  zip_.Write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  zip_.CloseEntry();
  types_.Add(name, contentType);
}

void PackageWriter::AddCommonRelationships(IUnknown* part, RelationshipsWriter& relationships) {
  ComPtr<IUnknown> unknown(part);
  ComPtr<IPartPrintTicket> ticket;
  ComPtr<IFixedPage> page;
  ComPtr<IFixedDocument> document;
  ComPtr<IFixedDocumentSequence> sequence;
  if (SUCCEEDED(unknown.As(page)))
    page->GetPrintTicket(ticket.ReleaseAndGetAddressOf());
  else if (SUCCEEDED(unknown.As(document)))
    document->GetPrintTicket(ticket.ReleaseAndGetAddressOf());
  else if (SUCCEEDED(unknown.As(sequence)))
    sequence->GetPrintTicket(ticket.ReleaseAndGetAddressOf());
  if (ticket) relationships.Add(NamesOf(flavour_).printTicket, WritePart(ticket.Get()));
  AddKeptRelationships(part, relationships);
}

void PackageWriter::AddKeptRelationships(IUnknown* part, RelationshipsWriter& relationships) {
  const auto packagePart = PackagePartOf(part);
  if (!packagePart) return;
  for (const KeptRelationship& kept : packagePart->Extras().kept)
    relationships.Add(kept.type, kept.target ? WritePart(kept.target.Get()) : kept.externalTarget,
                      !kept.target, kept.id);
}

void PackageWriter::WriteRelationships(const std::string& source,
                                       const RelationshipsWriter& relationships) {
  if (relationships.Empty()) return;
  WriteMarkup(RelationshipsPartName(source), content_type::kRelationships, relationships.Format());
}

}  // namespace kx::xps
