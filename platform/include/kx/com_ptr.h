// ComPtr: an owning, counted reference to a COM interface.
#pragma once

#include <utility>

#include "unknwn.h"

namespace kx {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference to p.
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ~ComPtr() { Reset(); }

  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }

  // Adopts a reference the caller already owns.
  static ComPtr Attach(T* p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }
  // Hands the reference to the caller.
  [[nodiscard]] T* Detach() { return std::exchange(p_, nullptr); }

  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For out parameters: drops the current reference first.
  T** ReleaseAndGetAddressOf() {
    Reset();
    return &p_;
  }
  void** ReleaseAndGetVoidAddressOf() { return reinterpret_cast<void**>(ReleaseAndGetAddressOf()); }

  // QueryInterface for U; null when p is null or does not answer.
  template <class U>
  HRESULT As(ComPtr<U>& out) const {
    if (!p_) {
      out.Reset();
      return E_POINTER;
    }
    return p_->QueryInterface(InterfaceId<U>::value, out.ReleaseAndGetVoidAddressOf());
  }

  // Copies a new reference into an out parameter.
  HRESULT CopyTo(T** out) const {
    if (!out) return E_POINTER;
    if (p_) p_->AddRef();
    *out = p_;
    return S_OK;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace kx
