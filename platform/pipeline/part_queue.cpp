#include "part_queue.h"

#include "part_factory.h"

namespace kx::pipeline {

HRESULT PartQueue::GetXpsPart(IUnknown** part) {
  if (!part) return E_POINTER;
  *part = nullptr;
  std::unique_lock lock(mutex_);
  readable_.wait(lock, [&] { return aborted_ || closed_ || !parts_.empty(); });
  if (aborted_) return E_ABORT;
  if (parts_.empty()) return S_OK;  // closed: the end of the stream
  *part = parts_.front().Detach();
  parts_.pop_front();
  // A sender waiting on a full queue is woken once half of it has gone, not for every part:
  // each wake is a context switch, and the sender then fills the queue in one go.
  const bool wakeSenders = sendersWaiting_ > 0 && parts_.size() <= capacity_ / 2;
  lock.unlock();
  if (wakeSenders) writable_.notify_all();
  return S_OK;
}

HRESULT PartQueue::Push(IUnknown* part) {
  if (!part) return E_POINTER;
  ComPtr<IUnknown> held(part);
  std::unique_lock lock(mutex_);
  ++sendersWaiting_;
  writable_.wait(lock, [&] { return aborted_ || drained_ || parts_.size() < capacity_; });
  --sendersWaiting_;
  if (aborted_) return E_ABORT;
  if (drained_) return S_OK;
  if (closed_) return E_UNEXPECTED;
  // Only an empty queue has a reader waiting.
  const bool wasEmpty = parts_.empty();
  parts_.push_back(std::move(held));
  lock.unlock();
  if (wasEmpty) readable_.notify_all();
  return S_OK;
}

HRESULT PartQueue::CloseSender() {
  std::lock_guard lock(mutex_);
  if (aborted_) return E_ABORT;
  closed_ = true;
  readable_.notify_all();
  return S_OK;
}

HRESULT PartQueue::GetNewEmptyPart(const WCHAR* uri, REFIID riid, void** part,
                                   IPrintWriteStream** stream) {
  return xps::CreateEmptyPart(uri, riid, part, stream);
}

void PartQueue::Abort() { Discard(&PartQueue::aborted_); }

void PartQueue::Drain() { Discard(&PartQueue::drained_); }

void PartQueue::Discard(bool PartQueue::*state) {
  std::deque<ComPtr<IUnknown>> dropped;  // released after the lock
  std::lock_guard lock(mutex_);
  this->*state = true;
  dropped.swap(parts_);
  readable_.notify_all();
  writable_.notify_all();
}

bool PartQueue::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

}  // namespace kx::pipeline
