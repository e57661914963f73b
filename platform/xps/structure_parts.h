// The parts that make up the document: the fixed document sequence and fixed documents (each
// with its print ticket) and the XPS document itself (with the package thumbnail).
#pragma once

#include "package_part.h"

namespace kx::xps {

// A missing ticket answers HRESULT_FROM_WIN32(ERROR_NOT_FOUND) and a null part.
template <class Interface>
class TicketedPart : public PackagePart<Interface> {
 public:
  using PackagePart<Interface>::PackagePart;

  HRESULT STDMETHODCALLTYPE GetPrintTicket(IPartPrintTicket** ticket) override {
    if (!ticket) return E_POINTER;
    std::lock_guard lock(this->mutex_);
    *ticket = nullptr;
    if (!ticket_) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    return ticket_.CopyTo(ticket);
  }
  HRESULT STDMETHODCALLTYPE SetPrintTicket(IPartPrintTicket* ticket) override {
    std::lock_guard lock(this->mutex_);
    ticket_ = ComPtr<IPartPrintTicket>(ticket);
    return S_OK;
  }

 private:
  ComPtr<IPartPrintTicket> ticket_;
};

class FixedDocumentSequencePart final : public TicketedPart<IFixedDocumentSequence> {
 public:
  using TicketedPart::TicketedPart;
};

class FixedDocumentPart final : public TicketedPart<IFixedDocument> {
 public:
  using TicketedPart::TicketedPart;
};

class XpsDocumentPart final : public ComObject<IXpsDocument, IKxPackagePart> {
 public:
  HRESULT STDMETHODCALLTYPE GetThumbnail(IPartThumbnail** thumbnail) override;
  HRESULT STDMETHODCALLTYPE SetThumbnail(IPartThumbnail* thumbnail) override;

  std::string STDMETHODCALLTYPE ContentType() override { return {}; }
  PartExtras& STDMETHODCALLTYPE Extras() override { return extras_; }
  void STDMETHODCALLTYPE SetContent(ContentPtr) override {}

 private:
  std::mutex mutex_;
  ComPtr<IPartThumbnail> thumbnail_;
  PartExtras extras_;
};

}  // namespace kx::xps
