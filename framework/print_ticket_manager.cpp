#include "print_ticket_manager.h"

#include <cstdlib>
#include <limits>
#include <memory>
#include <string>

#include "cxd_exception.h"
#include "kx/hresult_error.h"
#include "kx/utf16.h"
#include "load_dom_from_stream.h"
#include "objbase.h"
#include "print_ticket_document.h"
#include "read_stream_adapter.h"
#include "sequential_read_adapter.h"
#include "winbase.h"
#include "write_chunked.h"

namespace kx {
namespace {

// Features no scope may inherit from the user's ticket.
constexpr std::u16string_view kStripList[] = {u"JobNUpAllDocumentsContiguously", u"DocumentNUp"};

constexpr ULONG kReadChunk = 65536;
// Far beyond any real ticket: a part larger than this is not read into memory.
constexpr std::size_t kMaxTicketBytes = std::size_t{16} << 20;

HRESULT SeekToStart(IStream* stream) {
  LARGE_INTEGER start{};
  return stream->Seek(start, STREAM_SEEK_SET, nullptr);
}

// The ticket's XML from its start: a DOM's stream keeps one position, which the last reader
// left at the end.
HRESULT AsStream(IXMLDOMDocument2* ticket, ComPtr<IStream>* stream) {
  const HRESULT hr = ticket->QueryInterface(IID_IStream, stream->ReleaseAndGetVoidAddressOf());
  return FAILED(hr) ? hr : SeekToStart(stream->Get());
}

// The whole of stream, a chunk at a time; E_PRINTTICKET_FORMAT once it passes limit.
HRESULT ReadWhole(ISequentialStream* stream, std::size_t limit, std::string* text) {
  text->clear();
  for (;;) {
    if (text->size() > limit) return E_PRINTTICKET_FORMAT;
    const std::size_t size = text->size();
    text->resize(size + kReadChunk);
    ULONG got = 0;
    const HRESULT hr = stream->Read(text->data() + size, kReadChunk, &got);
    text->resize(size + (SUCCEEDED(hr) ? got : 0));
    if (FAILED(hr) || got == 0) return hr;
  }
}

HRESULT NewDom(ComPtr<IXMLDOMDocument2>* dom) {
  return CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument2,
                          dom->ReleaseAndGetVoidAddressOf());
}

}  // namespace

PrintTicketManager::~PrintTicketManager() { CloseProvider(); }

void PrintTicketManager::CloseProvider() {
  if (provider_) PTCloseProvider(provider_);
  provider_ = nullptr;
}

ComPtr<IXMLDOMDocument2>* PrintTicketManager::TicketOf(int scope) {
  switch (scope) {
    case kPageScope:
      return &pageTicket_;
    case kDocumentScope:
      return &documentTicket_;
    case kJobScope:
      return &jobTicket_;
    default:
      return nullptr;
  }
}

ComPtr<IXMLDOMDocument2>* PrintTicketManager::TicketAbove(int scope) {
  if (scope == kJobScope) return &baseTicket_;
  return TicketOf(scope) ? TicketOf(scope + 1) : nullptr;
}

HRESULT PrintTicketManager::SetUserTicket(IPrintReadStream* stream, const WCHAR* printerName) {
  CloseProvider();
  if (!stream) return E_POINTER;
  if (!printerName || !*printerName) return E_INVALIDARG;
  return HResultBoundary([&] {
    HRESULT hr = PTOpenProvider(printerName, 1, &provider_);
    if (FAILED(hr)) {
      provider_ = nullptr;
      return hr;
    }
    auto adapter = ComPtr<IStream>::Attach(new ReadStreamAdapter(stream));
    UpperTicketsChanged();
    baseTicket_.Reset();
    jobTicket_.Reset();
    documentTicket_.Reset();
    pageTicket_.Reset();
    hr = LoadDomFromStream(adapter.Get(), baseTicket_.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;

    // Stripping that fails leaves the ticket as it is; only opening it must succeed.
    PrintTicketDocument ticket(TicketRoot::PrintTicket, kPrivateKeywordsNamespace,
                               baseTicket_.Get());
    for (std::u16string_view feature : kStripList) ticket.DeleteFeature(feature);
    return hr;
  });
}

HRESULT PrintTicketManager::UpdateScope(int scope, HRESULT gotTicket, IPartPrintTicket* ticket,
                                        bool* hasTicket) {
  // A part that answers success but hands out no ticket has none.
  if (SUCCEEDED(gotTicket) && !ticket) gotTicket = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
  if (SUCCEEDED(gotTicket)) {
    const HRESULT hr = LoadPartTicket(scope, ticket);
    *hasTicket = true;
    return hr;
  }
  if (gotTicket != HRESULT_FROM_WIN32(ERROR_NOT_FOUND)) return gotTicket;
  ResetTickets(scope);
  *hasTicket = false;
  return EnsureTickets(scope);
}

HRESULT PrintTicketManager::UpdateJobTicket(IFixedDocumentSequence* sequence) {
  if (!sequence) return E_POINTER;
  ComPtr<IPartPrintTicket> ticket;
  const HRESULT hr = sequence->GetPrintTicket(ticket.ReleaseAndGetAddressOf());
  return UpdateScope(kJobScope, hr, ticket.Get(), &hasJobTicket_);
}

HRESULT PrintTicketManager::UpdateDocumentTicket(IFixedDocument* document) {
  if (!document) return E_POINTER;
  ComPtr<IPartPrintTicket> ticket;
  const HRESULT hr = document->GetPrintTicket(ticket.ReleaseAndGetAddressOf());
  return UpdateScope(kDocumentScope, hr, ticket.Get(), &hasDocumentTicket_);
}

HRESULT PrintTicketManager::UpdatePageTicket(IFixedPage* page, IXMLDOMDocument2** ticket,
                                             TicketUse use) {
  if (!page || !ticket) return E_POINTER;
  *ticket = nullptr;
  return HResultBoundary([&] {
    ComPtr<IPartPrintTicket> part;
    HRESULT hr = page->GetPrintTicket(part.ReleaseAndGetAddressOf());
    // A part that answers success but hands out no ticket has none.
    if (SUCCEEDED(hr) && !part) hr = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    if (FAILED(hr) && hr != HRESULT_FROM_WIN32(ERROR_NOT_FOUND)) return hr;
    PageOrigin origin{upperRevision_, SUCCEEDED(hr), {}};
    if (origin.ownTicket) {
      hr = ReadTicketPart(part.Get(), &origin.xml);
      if (FAILED(hr)) return hr;
    }
    hasPageTicket_ = origin.ownTicket;
    hr = origin == madeOrigin_ && madePageTicket_ ? ReuseMadePageTicket(use)
                                                  : MakePageTicket(std::move(origin), use);
    return FAILED(hr) ? hr : GetTicket(kPageScope, ticket);
  });
}

HRESULT PrintTicketManager::MakePageTicket(PageOrigin origin, TicketUse use) {
  madePageTicket_.Reset();
  HRESULT hr = S_OK;
  if (origin.ownTicket) {
    hr = MergeTicketXml(kPageScope, origin.xml);
  } else {
    ResetTickets(kPageScope);
    hr = EnsureTickets(kPageScope);
    pageSource_ = NewSource();
  }
  if (FAILED(hr)) return hr;
  // Kept as made: lent again to a reader, or copied for a caller that changes its ticket.
  if (use == TicketUse::kRead) {
    madePageTicket_ = pageTicket_;
  } else {
    hr = CloneTicket(pageTicket_.Get(), &madePageTicket_);
    if (FAILED(hr)) return hr;
  }
  madeOrigin_ = std::move(origin);
  madeSource_ = pageSource_;
  return S_OK;
}

HRESULT PrintTicketManager::ReuseMadePageTicket(TicketUse use) {
  pageSource_ = madeSource_;
  if (use == TicketUse::kRead) {
    pageTicket_ = madePageTicket_;
    return S_OK;
  }
  return CloneTicket(madePageTicket_.Get(), &pageTicket_);
}

HRESULT PrintTicketManager::MergeTicket(int scope, IXMLDOMDocument2* delta) {
  if (!delta) return E_POINTER;
  ComPtr<IXMLDOMDocument2>* above = TicketAbove(scope);
  if (!above) return E_INVALIDARG;
  if (!*above || !provider_) return E_PENDING;
  return HResultBoundary([&] {
    ComPtr<IStream> result, aboveStream, deltaStream;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, result.ReleaseAndGetAddressOf());
    if (SUCCEEDED(hr)) hr = AsStream(above->Get(), &aboveStream);
    if (SUCCEEDED(hr)) hr = AsStream(delta, &deltaStream);
    if (FAILED(hr)) return hr;
    // Job scope for every scope: the merged ticket keeps the settings of all three.
    BSTR message = nullptr;
    hr = PTMergeAndValidatePrintTicket(provider_, aboveStream.Get(), deltaStream.Get(), kPTJobScope,
                                       result.Get(), &message);
    SysFreeString(message);
    if (FAILED(hr)) return hr;
    ComPtr<IXMLDOMDocument2> merged;
    hr = LoadDomFromStream(result.Get(), merged.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    *TicketOf(scope) = std::move(merged);
    if (scope == kPageScope) {
      pageSource_ = NewSource();
    } else {
      UpperTicketsChanged();
    }
    return hr;
  });
}

HRESULT PrintTicketManager::LoadPartTicket(int scope, IPartPrintTicket* partTicket) {
  if (!partTicket) return E_POINTER;
  return HResultBoundary([&] {
    std::string xml;
    const HRESULT hr = ReadTicketPart(partTicket, &xml);
    return FAILED(hr) ? hr : MergeTicketXml(scope, xml);
  });
}

HRESULT PrintTicketManager::ReadTicketPart(IPartPrintTicket* partTicket, std::string* xml) {
  ComPtr<IPrintReadStream> stream;
  const HRESULT hr = partTicket->GetStream(stream.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  auto adapter = ComPtr<ISequentialStream>::Attach(new SequentialReadAdapter(stream.Get()));
  return ReadWhole(adapter.Get(), kMaxTicketBytes, xml);
}

HRESULT PrintTicketManager::MergeTicketXml(int scope, std::string_view xml) {
  ComPtr<IStream> stream;
  HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.ReleaseAndGetAddressOf());
  ULONG written = 0;
  if (SUCCEEDED(hr) && !xml.empty())
    hr = stream->Write(xml.data(), static_cast<ULONG>(xml.size()), &written);
  ComPtr<IXMLDOMDocument2> dom;
  if (SUCCEEDED(hr)) hr = LoadDomFromStream(stream.Get(), dom.ReleaseAndGetAddressOf());
  return FAILED(hr) ? hr : MergeTicket(scope, dom.Get());
}

HRESULT PrintTicketManager::EnsureTickets(int scope) {
  if (!baseTicket_) return E_PENDING;
  HRESULT hr = S_OK;
  if (scope <= kJobScope && !jobTicket_) hr = CloneTicket(baseTicket_.Get(), &jobTicket_);
  if (SUCCEEDED(hr) && scope <= kDocumentScope && !documentTicket_)
    hr = CloneTicket(jobTicket_.Get(), &documentTicket_);
  if (SUCCEEDED(hr) && scope == kPageScope && !pageTicket_)
    hr = CloneTicket(documentTicket_.Get(), &pageTicket_);
  return hr;
}

HRESULT PrintTicketManager::ResetTickets(int scope) {
  if (scope >= kDocumentScope) UpperTicketsChanged();
  pageTicket_.Reset();
  if (scope >= kDocumentScope) documentTicket_.Reset();
  if (scope >= kJobScope) jobTicket_.Reset();
  return S_OK;
}

HRESULT PrintTicketManager::GetTicket(int scope, IXMLDOMDocument2** ticket) {
  if (!ticket) return E_POINTER;
  *ticket = nullptr;
  const HRESULT hr = EnsureTickets(scope);
  if (FAILED(hr)) return hr;
  ComPtr<IXMLDOMDocument2>* held = TicketOf(scope);
  if (!held || !*held) return E_FAIL;
  *ticket = held->Get();
  return S_OK;
}

HRESULT PrintTicketManager::CloneTicket(IXMLDOMDocument2* ticket, ComPtr<IXMLDOMDocument2>* clone) {
  if (!ticket || !clone) return E_POINTER;
  // A deep copy of the tree is the DOM its XML would load into, without the text in between.
  ComPtr<IXMLDOMNode> node;
  HRESULT hr = ticket->cloneNode(VARIANT_TRUE, node.ReleaseAndGetAddressOf());
  ComPtr<IXMLDOMDocument2> copy;
  if (SUCCEEDED(hr)) hr = node.As(copy);
  if (SUCCEEDED(hr)) *clone = std::move(copy);
  return hr;
}

HRESULT PrintTicketManager::GetCapabilities(IXMLDOMDocument2* ticket,
                                            ComPtr<IXMLDOMDocument2>* capabilities) {
  if (!ticket || !capabilities) return E_POINTER;
  if (!provider_) return E_PENDING;
  ComPtr<IXMLDOMDocument2> dom;
  HRESULT hr = NewDom(&dom);
  ComPtr<IStream> ticketStream, capabilitiesStream;
  if (SUCCEEDED(hr)) hr = AsStream(ticket, &ticketStream);
  if (SUCCEEDED(hr)) hr = AsStream(dom.Get(), &capabilitiesStream);
  if (FAILED(hr)) return hr;
  BSTR message = nullptr;
  hr = PTGetPrintCapabilities(provider_, ticketStream.Get(), capabilitiesStream.Get(), &message);
  SysFreeString(message);
  if (FAILED(hr)) return hr;
  // Seeking back to the start is what loads the written XML into the DOM.
  hr = SeekToStart(capabilitiesStream.Get());
  if (SUCCEEDED(hr)) *capabilities = std::move(dom);
  return hr;
}

std::u16string PrintTicketManager::NewTicketPartName(std::u16string_view tag) {
  // Tick count and the C library's unseeded generator, as the ticket parts have always been
  // named; a name already written in this job draws again.
  for (;;) {
    const std::string numbers = "_" + std::to_string(GetTickCount()) + "_" +
                                std::to_string(static_cast<unsigned>(std::rand())) + ".xml";
    std::u16string name = u"/PT_" + std::u16string(tag) + Utf8ToUtf16(numbers);
    if (partNames_.insert(name).second) return name;
  }
}

HRESULT PrintTicketManager::TicketXml(IXMLDOMDocument2* ticket, std::string* xml) {
  if (!ticket || !xml) return E_POINTER;
  xml->clear();
  return HResultBoundary([&] {
    ComPtr<IStream> stream;
    const HRESULT hr = AsStream(ticket, &stream);
    if (FAILED(hr)) return hr;
    return ReadWhole(stream.Get(), std::numeric_limits<std::size_t>::max(), xml);
  });
}

HRESULT PrintTicketManager::WriteTicketPart(IXpsDocumentConsumer* consumer,
                                            IXMLDOMDocument2* ticket, std::u16string_view tag,
                                            ComPtr<IPartPrintTicket>* part) {
  if (!ticket || !part) return E_POINTER;
  if (!consumer) return E_PENDING;
  part->Reset();
  std::string xml;
  const HRESULT hr = TicketXml(ticket, &xml);
  return FAILED(hr) ? hr : WriteTicketPart(consumer, xml, tag, part);
}

HRESULT PrintTicketManager::WriteTicketPart(IXpsDocumentConsumer* consumer, std::string_view xml,
                                            std::u16string_view tag,
                                            ComPtr<IPartPrintTicket>* part) {
  if (!part) return E_POINTER;
  if (!consumer) return E_PENDING;
  part->Reset();
  if (xml.size() > std::numeric_limits<ULONG>::max()) return E_INVALIDARG;
  return HResultBoundary([&] {
    const std::u16string name = NewTicketPartName(tag);
    ComPtr<IPartPrintTicket> created;
    ComPtr<IPrintWriteStream> writer;
    HRESULT hr = consumer->GetNewEmptyPart(name.c_str(), IID_IPartPrintTicket,
                                           created.ReleaseAndGetVoidAddressOf(),
                                           writer.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    ULONG written = 0;
    hr = WriteChunked(writer.Get(), reinterpret_cast<const BYTE*>(xml.data()),
                      static_cast<ULONG>(xml.size()), &written);
    writer->Close();
    if (SUCCEEDED(hr)) *part = std::move(created);
    return hr;
  });
}

HRESULT PrintTicketManager::ConvertTicketToDevMode(IXMLDOMDocument2* ticket, PDEVMODEW* devmode,
                                                   ULONG* size) {
  if (!provider_) return E_PENDING;
  if (!devmode || !size || !ticket) {
    if (devmode) *devmode = nullptr;
    return E_POINTER;
  }
  *devmode = nullptr;
  ComPtr<IStream> stream;
  HRESULT hr = AsStream(ticket, &stream);
  if (FAILED(hr)) return hr;
  BSTR message = nullptr;
  hr = PTConvertPrintTicketToDevMode(provider_, stream.Get(), kUserDefaultDevmode, kPTJobScope,
                                     size, devmode, &message);
  SysFreeString(message);
  return hr;
}

HRESULT PrintTicketManager::ReleaseDevMode(PDEVMODEW devmode) { return PTReleaseMemory(devmode); }

}  // namespace kx
