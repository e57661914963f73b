// PackageWriter: the IXpsDocumentConsumer of the last XPS filter. Writes the parts it is sent,
// as they arrive, into a new XPS package: each part once under its name, with its
// relationships; resources reach it through the pages that use them or on their own; fonts are
// obfuscated when their options ask for it. The sequence and document markup is made from the
// documents and pages actually sent, when each document ends (the next document or
// CloseSender), so filters may add, drop and reorder pages. CloseSender completes the package;
// until then the file is incomplete and its owner discards it.
//
// A failure reports a message naming the output and the part to the error log, and every
// later call fails with it. Called by one filter thread; Completed and PagesWritten by any.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <cstdio>
#include <string>
#include <unordered_set>
#include <vector>

#include "content_types.h"
#include "filterpipeline.h"
#include "kx/com_object.h"
#include "package_error.h"
#include "relationships.h"
#include "xps_schema.h"
#include "zip_writer.h"

namespace kx::xps {

class PackageWriter final : public ComObject<IXpsDocumentConsumer> {
 public:
  // Called after each page is written, with the count so far.
  using PageObserver = std::function<void(unsigned)>;

  // Creates `path` at once; throws PackageError when it cannot.
  static ComPtr<PackageWriter> Create(const std::string& path, std::shared_ptr<ErrorLog> log,
                                      PageObserver onPage = {});

  HRESULT STDMETHODCALLTYPE SendXpsUnknown(IUnknown* part) override;
  HRESULT STDMETHODCALLTYPE SendXpsDocument(IXpsDocument* document) override;
  HRESULT STDMETHODCALLTYPE SendFixedDocumentSequence(IFixedDocumentSequence* sequence) override;
  HRESULT STDMETHODCALLTYPE SendFixedDocument(IFixedDocument* document) override;
  HRESULT STDMETHODCALLTYPE SendFixedPage(IFixedPage* page) override;
  HRESULT STDMETHODCALLTYPE CloseSender() override;
  HRESULT STDMETHODCALLTYPE GetNewEmptyPart(const WCHAR* uri, REFIID riid, void** part,
                                            IPrintWriteStream** stream) override;

  bool Completed() const { return completed_; }
  unsigned PagesWritten() const { return pages_; }

 private:
  struct Reference {
    std::string name;
    std::string attributes;
    std::string markup;
  };
  // The document being written: its page list waits in a temporary file, not in memory.
  struct OpenDocument {
    std::string name;
    std::string attributes;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pageList{nullptr, &std::fclose};
    unsigned pages = 0;
  };

  PackageWriter(const std::string& path, std::shared_ptr<ErrorLog> log, PageObserver onPage);

  // Runs one consumer call: the first failure sticks.
  template <class Fn>
  HRESULT Guard(Fn&& fn);
  [[noreturn]] void Fail(const std::string& part, const std::string& problem) const;

  // Writes a part (and what it keeps relationships to) unless one of its name was written;
  // returns its name.
  std::string WritePart(IUnknown* part);
  void WriteContent(IUnknown* part, const std::string& name);
  void WriteMarkup(const std::string& name, std::string_view contentType, const std::string& text);
  // Writes the part's print ticket and kept relationships' targets, adds those relationships.
  void AddCommonRelationships(IUnknown* part, RelationshipsWriter& relationships);
  // Writes the targets of the relationships the reader kept for the part, and adds those.
  void AddKeptRelationships(IUnknown* part, RelationshipsWriter& relationships);
  void WriteRelationships(const std::string& source, const RelationshipsWriter& relationships);
  void FinishDocument();
  void ListPage(const Reference& page);
  bool MarkWritten(const std::string& name);
  bool Written(const std::string& name) const;

  std::string path_;
  std::shared_ptr<ErrorLog> log_;
  PageObserver onPage_;
  ZipWriter zip_;
  ContentTypes types_;
  // Hashes of the part names written: a long document costs a few bytes a part.
  std::unordered_set<std::size_t> written_;
  Flavour flavour_ = Flavour::kMicrosoftXps;
  RelationshipsWriter packageRelationships_{"/"};
  std::string sequence_;
  std::vector<Reference> documents_;
  OpenDocument document_;
  HRESULT failure_ = S_OK;
  std::atomic<bool> completed_{false};
  std::atomic<unsigned> pages_{0};
  std::unique_ptr<std::uint8_t[]> copyBuffer_;  // see WriteContent
};

}  // namespace kx::xps
