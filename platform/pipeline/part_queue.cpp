#include "part_queue.h"

#include "part_factory.h"

namespace kx::pipeline {

HRESULT PartQueue::GetXpsPart(IUnknown** part) {
  if (!part) return E_POINTER;
  *part = nullptr;
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return aborted_ || closed_ || !parts_.empty(); });
  if (aborted_) return E_ABORT;
  if (parts_.empty()) return S_OK;  // closed: the end of the stream
  // Only a full queue has senders waiting; waking them for every part costs a context switch.
  const bool wasFull = parts_.size() >= capacity_;
  *part = parts_.front().Detach();
  parts_.pop_front();
  lock.unlock();
  if (wasFull) changed_.notify_all();
  return S_OK;
}

HRESULT PartQueue::Push(IUnknown* part) {
  if (!part) return E_POINTER;
  ComPtr<IUnknown> held(part);
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return aborted_ || drained_ || parts_.size() < capacity_; });
  if (aborted_) return E_ABORT;
  if (drained_) return S_OK;
  if (closed_) return E_UNEXPECTED;
  // Only an empty queue has a reader waiting.
  const bool wasEmpty = parts_.empty();
  parts_.push_back(std::move(held));
  lock.unlock();
  if (wasEmpty) changed_.notify_all();
  return S_OK;
}

HRESULT PartQueue::CloseSender() {
  std::lock_guard lock(mutex_);
  if (aborted_) return E_ABORT;
  closed_ = true;
  changed_.notify_all();
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
  changed_.notify_all();
}

bool PartQueue::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

}  // namespace kx::pipeline
