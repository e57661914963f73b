// PartQueue: the bounded queue between two filters. The filter before sends parts into it (its
// IXpsDocumentConsumer) and the filter after takes them out (its IXpsDocumentProvider); a part
// passes from one thread to the other with it. Send blocks while `capacity` parts wait;
// GetXpsPart blocks while none does and the sender has not closed.
//
// Abort ends both sides at once: every waiting and later call fails with E_ABORT. Drain is for
// a reader that has finished: later sends are accepted and dropped, so the sender finishes too.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx::pipeline {

class PartQueue final : public ComObject<IXpsDocumentProvider, IXpsDocumentConsumer> {
 public:
  explicit PartQueue(std::size_t capacity) : capacity_(capacity) {}

  HRESULT STDMETHODCALLTYPE GetXpsPart(IUnknown** part) override;

  HRESULT STDMETHODCALLTYPE SendXpsUnknown(IUnknown* part) override { return Push(part); }
  HRESULT STDMETHODCALLTYPE SendXpsDocument(IXpsDocument* part) override { return Push(part); }
  HRESULT STDMETHODCALLTYPE SendFixedDocumentSequence(IFixedDocumentSequence* part) override {
    return Push(part);
  }
  HRESULT STDMETHODCALLTYPE SendFixedDocument(IFixedDocument* part) override { return Push(part); }
  HRESULT STDMETHODCALLTYPE SendFixedPage(IFixedPage* part) override { return Push(part); }
  HRESULT STDMETHODCALLTYPE CloseSender() override;
  HRESULT STDMETHODCALLTYPE GetNewEmptyPart(const WCHAR* uri, REFIID riid, void** part,
                                            IPrintWriteStream** stream) override;

  void Abort();
  void Drain();
  bool Closed() const;

 private:
  HRESULT Push(IUnknown* part);
  // Sets the state and drops the waiting parts, waking everyone.
  void Discard(bool PartQueue::*state);

  const std::size_t capacity_;
  mutable std::mutex mutex_;
  std::condition_variable readable_;  // a part, the end or an abort for the reader
  std::condition_variable writable_;  // room, a drain or an abort for senders
  int sendersWaiting_ = 0;
  std::deque<ComPtr<IUnknown>> parts_;
  bool closed_ = false;
  bool aborted_ = false;
  bool drained_ = false;
};

}  // namespace kx::pipeline
