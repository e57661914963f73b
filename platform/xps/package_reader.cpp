#include "package_reader.h"

#include <deque>
#include <map>
#include <set>

#include "content_types.h"
#include "fixed_page.h"
#include "markup_reader.h"
#include "package_archive.h"
#include "part_factory.h"
#include "part_name.h"
#include "relationships.h"
#include "resource_parts.h"
#include "xps_schema.h"

namespace kx::xps {
namespace {

// Structure markup (content types, relationships, sequence, documents) is read whole.
constexpr std::size_t kMaxMarkupBytes = std::size_t{64} << 20;

// A DocumentReference or PageContent: the part it names and how it was written.
struct Reference {
  std::string name;
  std::string attributes;
  std::string markup;
};

// Reads the DocumentReference or PageContent elements of a sequence or document one at a time,
// so a document of many pages is never held as a list.
class ReferenceReader {
 public:
  ReferenceReader(std::string bytes, const PackageItem& item, std::string_view root,
                  std::string_view element, std::string where)
      : reader_(std::move(bytes), std::move(where)), source_(item.name), element_(element) {
    if (!reader_.NextElement() || reader_.LocalName() != root ||
        (reader_.NamespaceUri() != kMicrosoftXpsNames.markup &&
         reader_.NamespaceUri() != kOpenXpsNames.markup))
      reader_.Fail("not a " + std::string(root));
  }

  std::optional<Reference> Next() {
    while (reader_.NextElement()) {
      if (reader_.Depth() != 1 || reader_.LocalName() != element_) continue;
      const auto source = reader_.Attribute("Source");
      if (!source) reader_.Fail(std::string(element_) + " without Source");
      const auto name = ResolvePartReference(source_, *source);
      if (!name) reader_.Fail("reference \"" + *source + "\" lies outside the package");
      Reference reference{*name, reader_.AttributesExcept("Source"), {}};
      if (!reader_.IsEmptyElement()) reference.markup = reader_.InnerMarkup();
      return reference;
    }
    return std::nullopt;
  }

 private:
  MarkupReader reader_;
  std::string source_;
  std::string_view element_;
};

bool IsFlavourType(std::string_view type, std::string_view FlavourNames::*field) {
  return type == kMicrosoftXpsNames.*field || type == kOpenXpsNames.*field;
}

template <class Part>
ComPtr<IUnknown> AsUnknown(const ComPtr<Part>& part) {
  return ComPtr<IUnknown>(static_cast<IKxPackagePart*>(part.Get()));
}

class PackageReader final : public ComObject<IXpsDocumentProvider> {
 public:
  PackageReader(std::shared_ptr<PackageArchive> archive, const ReaderOptions& options)
      : archive_(std::move(archive)) {
    const auto types = archive_->ContentTypesItem();
    if (!types) ThrowPackageError(kInvalidPackage, archive_->Path() + ": no [Content_Types].xml");
    types_ = ContentTypes::Parse(archive_->ReadAll(*types, kMaxMarkupBytes),
                                 archive_->Path() + ": [Content_Types].xml");
    OpenStart(options);
  }

  HRESULT STDMETHODCALLTYPE GetXpsPart(IUnknown** part) override {
    if (!part) return E_POINTER;
    *part = nullptr;
    if (FAILED(failure_)) return failure_;
    failure_ = PackageBoundary(archive_->Log(), [&] {
      while (pending_.empty() && Advance()) {
      }
      if (!pending_.empty()) {
        *part = pending_.front().Detach();
        pending_.pop_front();
      }
      return S_OK;
    });
    return failure_;
  }

 private:
  enum class Stage { kStart, kDocuments, kPages, kDone };

  // Queues the next parts; false when the package has no more.
  bool Advance() {
    switch (stage_) {
      case Stage::kStart:
        pending_.push_back(AsUnknown(xpsDocument_));
        pending_.push_back(AsUnknown(sequence_));
        stage_ = Stage::kDocuments;
        return true;
      case Stage::kDocuments:
        if (nextDocument_ == documents_.size()) {
          stage_ = Stage::kDone;
          return false;
        }
        LoadDocument(documents_[nextDocument_++]);
        stage_ = Stage::kPages;
        return true;
      case Stage::kPages:
        if (!nextPage_) {
          pages_.reset();
          stage_ = Stage::kDocuments;
        } else {
          LoadPage(*nextPage_);
          nextPage_ = pages_->Next();
        }
        return true;
      case Stage::kDone:
        return false;
    }
    return false;
  }

  [[noreturn]] void Fail(HRESULT code, const std::string& part, const std::string& problem) const {
    archive_->Fail(code, part, problem);
  }

  PackageItem Require(const std::string& name, const std::string& referrer) const {
    auto item = archive_->Find(name);
    if (!item) Fail(kMissingPart, referrer, "refers to missing part " + name);
    return *item;
  }

  std::string Where(const std::string& part) const { return archive_->Path() + ": " + part; }

  std::vector<Relationship> RelationshipsOf(const std::string& source) const {
    const std::string relsName = RelationshipsPartName(source);
    const auto item = archive_->Find(relsName);
    if (!item) return {};
    return ParseRelationships(archive_->ReadAll(*item, kMaxMarkupBytes), source, Where(relsName));
  }

  ContentPtr ContentOf(const PackageItem& item) const { return MakeArchiveContent(archive_, item); }

  void OpenStart(const ReaderOptions& options) {
    xpsDocument_ = ComPtr<XpsDocumentPart>::Attach(new XpsDocumentPart());
    std::string start;
    for (Relationship& relationship : RelationshipsOf("/")) {
      if (start.empty() && !relationship.external &&
          IsFlavourType(relationship.type, &FlavourNames::startPart)) {
        start = relationship.target;
        flavour_ = relationship.type == kOpenXpsNames.startPart ? Flavour::kOpenXps
                                                                : Flavour::kMicrosoftXps;
      } else if (relationship.type == kThumbnailRelationship && !relationship.external &&
                 archive_->Find(relationship.target)) {
        ComPtr<IUnknown> thumbnail = SharedPart(relationship.target, PartRole::kThumbnail);
        ComPtr<IPartThumbnail> typed;
        if (SUCCEEDED(thumbnail.As(typed))) xpsDocument_->SetThumbnail(typed.Get());
      } else {
        Keep(relationship, xpsDocument_->Extras());
      }
    }
    if (start.empty())
      ThrowPackageError(
          kInvalidPackage,
          archive_->Path() + ": no XPS start part (the package holds no XPS document)");
    const PackageItem item = Require(start, "/_rels/.rels");
    sequence_ = ComPtr<FixedDocumentSequencePart>::Attach(
        new FixedDocumentSequencePart(start, types_.Lookup(start), ContentOf(item)));
    sequence_->Extras().flavour = flavour_;
    AttachRelationships(*sequence_.Get());
    if (options.jobTicket) AttachJobTicket(options.jobTicket, options.mergeJobTicket);
    const auto documents = OpenReferences(item, "FixedDocumentSequence", "DocumentReference");
    while (auto reference = documents->Next()) documents_.push_back(std::move(*reference));
    if (documents_.empty()) Fail(kInvalidPackage, start, "the sequence holds no documents");
  }

  void AttachJobTicket(ContentPtr ticket, const decltype(ReaderOptions::mergeJobTicket)& merge) {
    ComPtr<IPartPrintTicket> own;
    if (merge && SUCCEEDED(sequence_->GetPrintTicket(own.ReleaseAndGetAddressOf())) && own)
      ticket = merge(own.Get(), ticket);
    std::string name = "/Metadata/Job_PT.xml";
    for (unsigned n = 1; archive_->Find(name); ++n)
      name = "/Metadata/Job_PT_" + std::to_string(n) + ".xml";
    auto part = ComPtr<PrintTicketPart>::Attach(
        new PrintTicketPart(name, std::string(content_type::kPrintTicket), std::move(ticket)));
    sequence_->SetPrintTicket(part.Get());
  }

  std::unique_ptr<ReferenceReader> OpenReferences(const PackageItem& item, std::string_view root,
                                                  std::string_view element) const {
    return std::make_unique<ReferenceReader>(archive_->ReadAll(item, kMaxMarkupBytes), item, root,
                                             element, Where(item.name));
  }

  void LoadDocument(const Reference& reference) {
    const PackageItem item = Require(reference.name, sequence_->Name());
    auto document = ComPtr<FixedDocumentPart>::Attach(
        new FixedDocumentPart(reference.name, types_.Lookup(reference.name), ContentOf(item)));
    document->Extras().referenceAttributes = reference.attributes;
    AttachRelationships(*document.Get());
    pages_ = OpenReferences(item, "FixedDocument", "PageContent");
    nextPage_ = pages_->Next();
    if (!nextPage_) Fail(kInvalidPackage, reference.name, "the document has no pages");
    currentDocument_ = reference.name;
    pending_.push_back(AsUnknown(document));
  }

  void LoadPage(const Reference& reference) {
    const PackageItem item = Require(reference.name, currentDocument_);
    const std::string type = types_.Lookup(reference.name);
    if (type != content_type::kFixedPage)
      Fail(kInvalidPackage, reference.name, "is not a fixed page (content type \"" + type + "\")");
    auto page =
        ComPtr<FixedPagePart>::Attach(new FixedPagePart(reference.name, type, ContentOf(item)));
    if (item.stored) page->SetPartCompression(Compression_NotCompressed);
    PartExtras& extras = page->Extras();
    extras.referenceAttributes = reference.attributes;
    extras.referenceMarkup = reference.markup;
    for (const Relationship& relationship : RelationshipsOf(reference.name)) {
      if (relationship.external ||
          !IsFlavourType(relationship.type, &FlavourNames::requiredResource)) {
        AttachRelationship(*page.Get(), relationship);
        continue;
      }
      Require(relationship.target, reference.name);
      ComPtr<IUnknown> resource = SharedPart(relationship.target, PartRole::kResource);
      page->AddResource(relationship.target, resource);
      if (sent_.insert(PartNameKey(relationship.target)).second) pending_.push_back(resource);
    }
    pending_.push_back(AsUnknown(page));
  }

  template <class Part>
  void AttachRelationships(Part& part) {
    for (const Relationship& relationship : RelationshipsOf(part.Name()))
      AttachRelationship(part, relationship);
  }

  // A print ticket becomes the part's ticket; anything else is kept for the writer.
  template <class Part>
  void AttachRelationship(Part& part, const Relationship& relationship) {
    if (relationship.external || !IsFlavourType(relationship.type, &FlavourNames::printTicket)) {
      Keep(relationship, part.Extras());
      return;
    }
    Require(relationship.target, part.Name());
    ComPtr<IPartPrintTicket> ticket;
    if (SUCCEEDED(SharedPart(relationship.target, PartRole::kTicket).As(ticket)))
      part.SetPrintTicket(ticket.Get());
  }

  // Relationships to parts the package lacks are dropped: nothing of the document depends on
  // them (a missing thumbnail or document outline).
  void Keep(const Relationship& relationship, PartExtras& extras) {
    KeptRelationship kept{relationship.id, relationship.type, {}, nullptr};
    if (relationship.external) {
      kept.externalTarget = relationship.target;
    } else if (archive_->Find(relationship.target)) {
      kept.target = SharedPart(relationship.target, PartRole::kOther);
    } else {
      return;
    }
    extras.kept.push_back(std::move(kept));
  }

  enum class PartRole { kResource, kTicket, kThumbnail, kOther };

  // One object per part name, whatever refers to it; made with its own relationships kept.
  ComPtr<IUnknown> SharedPart(const std::string& name, PartRole role) {
    const std::string key = PartNameKey(name);
    if (const auto found = shared_.find(key); found != shared_.end()) return found->second;
    const PackageItem item = *archive_->Find(name);
    std::string type = types_.Lookup(name);
    if (type.empty()) Fail(kInvalidPackage, name, "has no content type");
    if (type == content_type::kObfuscatedFont && !ObfuscationKeyOf(name))
      Fail(kInvalidPackage, name, "obfuscated font whose name is not a GUID");
    ComPtr<IUnknown> part = MakePart(item, std::move(type), role);
    shared_.emplace(key, part);
    ComPtr<IKxPackagePart> packagePart;
    part.As(packagePart);
    // Relationships of resources (a remote dictionary's images) are kept for the writer.
    for (const Relationship& relationship : RelationshipsOf(item.name))
      Keep(relationship, packagePart->Extras());
    return part;
  }

  ComPtr<IUnknown> MakePart(const PackageItem& item, std::string type, PartRole role) const {
    if (role == PartRole::kTicket)
      return AsUnknown(ComPtr<PrintTicketPart>::Attach(
          new PrintTicketPart(item.name, std::move(type), ContentOf(item))));
    if (role == PartRole::kThumbnail)
      return AsUnknown(ComPtr<ThumbnailPart>::Attach(
          new ThumbnailPart(item.name, std::move(type), ContentOf(item))));
    return CreateResourcePart(item.name, std::move(type), ContentOf(item), item.stored);
  }

  std::shared_ptr<PackageArchive> archive_;
  ContentTypes types_;
  Flavour flavour_ = Flavour::kMicrosoftXps;
  ComPtr<XpsDocumentPart> xpsDocument_;
  ComPtr<FixedDocumentSequencePart> sequence_;
  std::vector<Reference> documents_;
  std::size_t nextDocument_ = 0;
  std::string currentDocument_;
  std::unique_ptr<ReferenceReader> pages_;  // of the current document
  std::optional<Reference> nextPage_;
  Stage stage_ = Stage::kStart;
  std::deque<ComPtr<IUnknown>> pending_;
  std::map<std::string, ComPtr<IUnknown>> shared_;  // by part name key
  std::set<std::string> sent_;                      // resources handed out, by key
  HRESULT failure_ = S_OK;
};

}  // namespace

ComPtr<IXpsDocumentProvider> OpenPackageReader(const std::string& path,
                                               std::shared_ptr<ErrorLog> log,
                                               const ReaderOptions& options) {
  auto archive = PackageArchive::Open(path, std::move(log));
  return ComPtr<IXpsDocumentProvider>::Attach(new PackageReader(std::move(archive), options));
}

}  // namespace kx::xps
