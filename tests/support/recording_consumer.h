// RecordingConsumer: an IXpsDocumentConsumer that records each part it is sent, in order, as
// "<kind> <part name>" ("page /Documents/1/Pages/1.fpage"), and can fail one kind of send.
#pragma once

#include <string>
#include <vector>

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx::test {

class RecordingConsumer final : public ComObject<IXpsDocumentConsumer> {
 public:
  HRESULT STDMETHODCALLTYPE SendXpsUnknown(IUnknown* part) override;
  HRESULT STDMETHODCALLTYPE SendXpsDocument(IXpsDocument* document) override;
  HRESULT STDMETHODCALLTYPE SendFixedDocumentSequence(IFixedDocumentSequence* sequence) override;
  HRESULT STDMETHODCALLTYPE SendFixedDocument(IFixedDocument* document) override;
  HRESULT STDMETHODCALLTYPE SendFixedPage(IFixedPage* page) override;
  HRESULT STDMETHODCALLTYPE CloseSender() override;
  HRESULT STDMETHODCALLTYPE GetNewEmptyPart(const WCHAR* uri, REFIID riid, void** part,
                                            IPrintWriteStream** stream) override;

  std::vector<std::string> sent;
  // "new <part name>" for each part made with GetNewEmptyPart (print tickets only).
  std::vector<std::string> created;
  int closeCount = 0;
  // The kind ("unknown", "xpsdocument", "sequence", "document", "page") whose send fails.
  std::string failKind;
  HRESULT failure = E_FAIL;

 private:
  HRESULT Record(const std::string& kind, IUnknown* part);
};

// The part name of any part that answers IPartBase, in UTF-8; "" for others.
std::string PartName(IUnknown* part);

}  // namespace kx::test
