// PageMarkupRewriter: the base of the SAX content handlers that write a page's markup out
// again, changed on the way. Callbacks build their text and hand it to Emit; the pending text
// goes to the write stream as UTF-8, in one WriteBytes per block, once it passes 0x4FFFF
// characters and when the rewriter is finished.
//
// Every handler method answers S_OK and does nothing here, so character data, white space,
// comments and processing instructions are dropped unless a rewriter overrides them.
// Lives for one page on one thread; borrows nothing but holds a reference to the stream (which
// may be null for a rewriter that writes nothing).
#pragma once

#include "filterpipeline.h"
#include "kx/com_object.h"
#include "msxml6.h"
#include "text_buffer.h"

namespace kx {

class PageMarkupRewriter : public ComObject<ISAXContentHandler> {
 public:
  static constexpr std::size_t kFlushThreshold = 0x4FFFF;

  explicit PageMarkupRewriter(IPrintWriteStream* stream) : stream_(stream) {}

  HRESULT STDMETHODCALLTYPE putDocumentLocator(ISAXLocator*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE startDocument() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE endDocument() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE startPrefixMapping(const WCHAR*, int, const WCHAR*, int) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE endPrefixMapping(const WCHAR*, int) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE startElement(const WCHAR*, int, const WCHAR*, int, const WCHAR*, int,
                                         ISAXAttributes*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE endElement(const WCHAR*, int, const WCHAR*, int, const WCHAR*,
                                       int) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE characters(const WCHAR*, int) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ignorableWhitespace(const WCHAR*, int) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE processingInstruction(const WCHAR*, int, const WCHAR*, int) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE skippedEntity(const WCHAR*, int) override { return S_OK; }

  // Flushes first when the pending text is past the threshold, then appends text (in either
  // case). The result is that flush's.
  HRESULT Emit(const TextBuffer& text);
  // Writes the pending text, if any, as UTF-8 in one WriteBytes; the text is dropped whatever
  // the outcome.
  HRESULT Flush();
  // The last flush, for a caller that must know whether the page was written whole. The
  // destructor flushes again, but cannot report.
  HRESULT Finish() { return Flush(); }

 protected:
  ~PageMarkupRewriter() override;

 private:
  ComPtr<IPrintWriteStream> stream_;
  TextBuffer pending_;
};

}  // namespace kx
