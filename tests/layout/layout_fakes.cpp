#include "layout_fakes.h"

#include "kx/utf16.h"
#include "recording_consumer.h"

namespace kx::test {
ComPtr<FakePrintTicketPart> TestPage::Ticket() {
  ComPtr<IPartPrintTicket> ticket;
  GetPrintTicket(ticket.ReleaseAndGetAddressOf());
  return ComPtr<FakePrintTicketPart>(static_cast<FakePrintTicketPart*>(ticket.Get()));
}

HRESULT LayoutConsumer::SendFixedDocumentSequence(IFixedDocumentSequence* part) {
  sequence = ComPtr<IFixedDocumentSequence>(part);
  sent.push_back("sequence");
  return S_OK;
}

HRESULT LayoutConsumer::SendFixedDocument(IFixedDocument* document) {
  sent.push_back("document " + PartName(document));
  return S_OK;
}

HRESULT LayoutConsumer::SendFixedPage(IFixedPage* page) {
  sent.push_back("page " + PartName(page));
  sentPages.push_back(PartName(page));
  return S_OK;
}

HRESULT LayoutConsumer::GetNewEmptyPart(const WCHAR* uri, REFIID riid, void** part,
                                        IPrintWriteStream** stream) {
  if (!uri || !part || !stream) return E_POINTER;
  *part = nullptr;
  *stream = nullptr;
  const std::string name = Utf16ToUtf8(uri);
  if (IsEqualIID(riid, IID_IPartPrintTicket)) {
    auto ticket = MakeComObject<FakePrintTicketPart>(uri, std::string());
    *stream = ComPtr<IPrintWriteStream>(ticket->output.Get()).Detach();
    *part = static_cast<IPartPrintTicket*>(ticket.Detach());
    return S_OK;
  }
  if (!IsEqualIID(riid, IID_IFixedPage)) return E_NOTIMPL;
  if (FAILED(newPageFailure)) return newPageFailure;
  auto page = MakeComObject<TestPage>(uri, std::string());
  pages[name] = page;
  *stream = ComPtr<IPrintWriteStream>(page->output.Get()).Detach();
  *part = static_cast<IFixedPage*>(ComPtr<TestPage>(page).Detach());
  return S_OK;
}

std::vector<std::string> LayoutConsumer::PageKinds() const {
  std::vector<std::string> kinds;
  for (const std::string& name : sentPages) {
    const std::size_t number = name.rfind('_');
    kinds.push_back(name.starts_with("/LO_") ? name.substr(1, number - 1) : name);
  }
  return kinds;
}

TestPage* LayoutConsumer::Page(const std::string& name) const {
  const auto found = pages.find(name);
  return found == pages.end() ? nullptr : found->second.Get();
}

}  // namespace kx::test
