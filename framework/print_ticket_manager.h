// PrintTicketManager: the print ticket in force at each scope of a job, as DOMs.
//
// The base is the user's ticket; the job, document and page tickets are the ticket of the
// scope above merged with the ticket the sequence, document or page carries, or a copy of it
// when the part carries none. Owns its four DOMs and the Print Ticket provider. Used only on
// the StartOperation thread of its filter.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "filterpipeline.h"
#include "kx/com_ptr.h"
#include "msxml6.h"
#include "prntvpt.h"

namespace kx {

enum TicketScope : int { kPageScope = 0, kDocumentScope = 1, kJobScope = 2 };

enum class TicketUse { kChange, kRead };

class PrintTicketManager {
 public:
  PrintTicketManager() = default;
  PrintTicketManager(const PrintTicketManager&) = delete;
  PrintTicketManager& operator=(const PrintTicketManager&) = delete;
  virtual ~PrintTicketManager();

  // Loads the user's ticket as the base, without the features no scope may inherit, and
  // opens the provider for the printer.
  HRESULT SetUserTicket(IPrintReadStream* stream, const WCHAR* printerName);

  HRESULT UpdateJobTicket(IFixedDocumentSequence* sequence);
  HRESULT UpdateDocumentTicket(IFixedDocument* document);
  // Lends the merged page ticket (see GetTicket). A page of the same origin as the page before
  // (the same tickets above, and no ticket of its own or one of the same XML) is not merged
  // again: a caller that only reads the ticket (kRead: it changes copies, never the DOM lent)
  // gets the same DOM, others a copy.
  HRESULT UpdatePageTicket(IFixedPage* page, IXMLDOMDocument2** ticket,
                           TicketUse use = TicketUse::kChange);
  // Names how the page ticket was made: pages with the same source got tickets of the same
  // content, as long as no ticket was changed in place through GetTicket in between.
  std::uint64_t PageTicketSource() const { return pageSource_; }

  // Merges delta onto the ticket of the scope above and stores the result as the scope's.
  virtual HRESULT MergeTicket(int scope, IXMLDOMDocument2* delta);
  HRESULT LoadPartTicket(int scope, IPartPrintTicket* partTicket);
  HRESULT EnsureTickets(int scope);
  HRESULT ResetTickets(int scope);
  // Lends the scope's DOM: not to be released, nor held past the next update of that scope.
  HRESULT GetTicket(int scope, IXMLDOMDocument2** ticket);
  HRESULT CloneTicket(IXMLDOMDocument2* ticket, ComPtr<IXMLDOMDocument2>* clone);
  HRESULT GetCapabilities(IXMLDOMDocument2* ticket, ComPtr<IXMLDOMDocument2>* capabilities);
  // Writes the ticket as a new print ticket part "/PT_<tag>_<ticks>_<n>.xml"; the caller
  // attaches it to the part it belongs to.
  HRESULT WriteTicketPart(IXpsDocumentConsumer* consumer, IXMLDOMDocument2* ticket,
                          std::u16string_view tag, ComPtr<IPartPrintTicket>* part);
  // The same with the ticket's XML already at hand (see TicketXml).
  HRESULT WriteTicketPart(IXpsDocumentConsumer* consumer, std::string_view xml,
                          std::u16string_view tag, ComPtr<IPartPrintTicket>* part);
  // The ticket's XML as it is written into a ticket part.
  HRESULT TicketXml(IXMLDOMDocument2* ticket, std::string* xml);
  HRESULT ConvertTicketToDevMode(IXMLDOMDocument2* ticket, PDEVMODEW* devmode, ULONG* size);
  HRESULT ReleaseDevMode(PDEVMODEW devmode);

  bool HasJobTicket() const { return hasJobTicket_; }
  bool HasDocumentTicket() const { return hasDocumentTicket_; }
  bool HasPageTicket() const { return hasPageTicket_; }

 private:
  void CloseProvider();
  // The ticket of a scope, and of the scope above it (the base for the job).
  ComPtr<IXMLDOMDocument2>* TicketOf(int scope);
  ComPtr<IXMLDOMDocument2>* TicketAbove(int scope);
  // Updates a scope from the ticket its part carries, or makes it a copy of the scope above.
  HRESULT UpdateScope(int scope, HRESULT gotTicket, IPartPrintTicket* ticket, bool* hasTicket);
  std::u16string NewTicketPartName(std::u16string_view tag);
  // What a page ticket is made of: the tickets above, as of a revision, and the page's own
  // ticket part, if any. Pages of one origin get tickets of the same content.
  struct PageOrigin {
    std::uint64_t revision = 0;
    bool ownTicket = false;
    std::string xml;  // of the page's own ticket

    bool operator==(const PageOrigin&) const = default;
  };
  HRESULT MakePageTicket(PageOrigin origin, TicketUse use);
  HRESULT ReuseMadePageTicket(TicketUse use);
  HRESULT ReadTicketPart(IPartPrintTicket* partTicket, std::string* xml);
  HRESULT MergeTicketXml(int scope, std::string_view xml);
  // A ticket above the page scope changed: the page tickets made before are out of date.
  void UpperTicketsChanged() { ++upperRevision_; }
  std::uint64_t NewSource() { return ++sources_; }

  ComPtr<IXMLDOMDocument2> baseTicket_;
  ComPtr<IXMLDOMDocument2> jobTicket_;
  ComPtr<IXMLDOMDocument2> documentTicket_;
  ComPtr<IXMLDOMDocument2> pageTicket_;
  HPTPROVIDER provider_ = nullptr;
  bool hasJobTicket_ = false;
  bool hasDocumentTicket_ = false;
  bool hasPageTicket_ = false;
  std::set<std::u16string> partNames_;  // names written in this job, kept unique
  std::uint64_t upperRevision_ = 0;
  std::uint64_t sources_ = 0;
  std::uint64_t pageSource_ = 0;
  // The page ticket as made for the last origin, never changed, and its source.
  PageOrigin madeOrigin_;
  ComPtr<IXMLDOMDocument2> madePageTicket_;
  std::uint64_t madeSource_ = 0;
};

}  // namespace kx
