// Fakes for the layout filter's tests: a fixed page with a name, markup, ticket and output
// stream, and a consumer that records what it is sent and makes new pages and ticket parts.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "fake_parts.h"
#include "fake_ticket_part.h"
#include "page_streams.h"

namespace kx::test {

// A named page with a ticket; its markup, output and resources are those of a StreamPage.
class TestPage final : public FakeTicketedPart<IFixedPage> {
 public:
  TestPage(std::u16string uri, std::string markup, std::vector<ComPtr<IUnknown>> parts = {})
      : FakeTicketedPart(std::move(uri)),
        content_(MakeComObject<StreamPage>(std::move(markup), std::move(parts))),
        output(content_->output) {}

  HRESULT STDMETHODCALLTYPE GetStream(IPrintReadStream** stream) override {
    return content_->GetStream(stream);
  }
  HRESULT STDMETHODCALLTYPE GetPagePart(const WCHAR*, IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWriteStream(IPrintWriteStream** stream) override {
    return content_->GetWriteStream(stream);
  }
  HRESULT STDMETHODCALLTYPE SetPagePart(IUnknown* part) override {
    return content_->SetPagePart(part);
  }
  HRESULT STDMETHODCALLTYPE DeleteResource(const WCHAR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetXpsPartIterator(IXpsPartIterator** iterator) override {
    return content_->GetXpsPartIterator(iterator);
  }

  // The ticket part attached to the page, or null.
  ComPtr<FakePrintTicketPart> Ticket();

 private:
  ComPtr<StreamPage> content_;

 public:
  ComPtr<RecordingWriteStream> output;
};

// Records "sequence", "document <name>" and "page <name>" in order; GetNewEmptyPart makes
// TestPages and ticket parts, kept by name.
class LayoutConsumer final : public ComObject<IXpsDocumentConsumer> {
 public:
  HRESULT STDMETHODCALLTYPE SendXpsUnknown(IUnknown*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SendXpsDocument(IXpsDocument*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SendFixedDocumentSequence(IFixedDocumentSequence* sequence) override;
  HRESULT STDMETHODCALLTYPE SendFixedDocument(IFixedDocument* document) override;
  HRESULT STDMETHODCALLTYPE SendFixedPage(IFixedPage* page) override;
  HRESULT STDMETHODCALLTYPE CloseSender() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetNewEmptyPart(const WCHAR* uri, REFIID riid, void** part,
                                            IPrintWriteStream** stream) override;

  // The sent pages' names with the prefix up to the number cut: "LO_NUpPage", "LO_Empty",
  // or the input page's own name.
  std::vector<std::string> PageKinds() const;
  TestPage* Page(const std::string& name) const;

  std::vector<std::string> sent;
  std::vector<std::string> sentPages;
  std::map<std::string, ComPtr<TestPage>> pages;
  ComPtr<IFixedDocumentSequence> sequence;
  HRESULT newPageFailure = S_OK;
};

}  // namespace kx::test
