#include "recording_consumer.h"

#include "kx/unique_bstr.h"
#include "kx/utf16.h"

namespace kx::test {

std::string PartName(IUnknown* part) {
  ComPtr<IPartBase> base;
  if (!part || FAILED(part->QueryInterface(IID_IPartBase, base.ReleaseAndGetVoidAddressOf())))
    return {};
  UniqueBstr uri;
  if (FAILED(base->GetUri(uri.ResetAndGetAddressOf()))) return {};
  return Utf16ToUtf8(uri.View());
}

HRESULT RecordingConsumer::Record(const std::string& kind, IUnknown* part) {
  if (!part) return E_POINTER;
  if (kind == failKind) return failure;
  const std::string name = PartName(part);
  sent.push_back(name.empty() ? kind : kind + " " + name);
  return S_OK;
}

HRESULT RecordingConsumer::SendXpsUnknown(IUnknown* part) { return Record("unknown", part); }
HRESULT RecordingConsumer::SendXpsDocument(IXpsDocument* document) {
  return Record("xpsdocument", document);
}
HRESULT RecordingConsumer::SendFixedDocumentSequence(IFixedDocumentSequence* sequence) {
  return Record("sequence", sequence);
}
HRESULT RecordingConsumer::SendFixedDocument(IFixedDocument* document) {
  return Record("document", document);
}
HRESULT RecordingConsumer::SendFixedPage(IFixedPage* page) { return Record("page", page); }

HRESULT RecordingConsumer::CloseSender() {
  ++closeCount;
  return S_OK;
}

HRESULT RecordingConsumer::GetNewEmptyPart(const WCHAR*, REFIID, void** part,
                                           IPrintWriteStream** stream) {
  if (part) *part = nullptr;
  if (stream) *stream = nullptr;
  return E_NOTIMPL;
}

}  // namespace kx::test
