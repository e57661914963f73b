#include "recording_consumer.h"

#include "fake_ticket_part.h"
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

HRESULT RecordingConsumer::GetNewEmptyPart(const WCHAR* uri, REFIID riid, void** part,
                                           IPrintWriteStream** stream) {
  if (!uri || !part || !stream) return E_POINTER;
  *part = nullptr;
  *stream = nullptr;
  if (!IsEqualIID(riid, IID_IPartPrintTicket)) return E_NOTIMPL;
  auto ticket = MakeComObject<FakePrintTicketPart>(uri, std::string());
  *stream = ComPtr<IPrintWriteStream>(ticket->output.Get()).Detach();
  created.push_back("new " + Utf16ToUtf8(uri));
  *part = static_cast<IPartPrintTicket*>(ticket.Detach());
  return S_OK;
}

}  // namespace kx::test
