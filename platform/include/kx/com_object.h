// ComObject: reference counting and QueryInterface for classes that implement COM interfaces.
//
// ComObject<Derived, I1, I2...> answers IUnknown, each listed interface and the interfaces each
// derives from. Objects start with one reference, owned by whoever called MakeComObject.
#pragma once

#include <atomic>
#include <type_traits>

#include "kx/com_ptr.h"

namespace kx {

namespace detail {
template <class I>
bool AnswersIid(REFIID riid) {
  if (IsEqualIID(riid, InterfaceId<I>::value)) return true;
  using Base = typename InterfaceId<I>::Base;
  if constexpr (std::is_void_v<Base>) {
    return false;
  } else {
    return AnswersIid<Base>(riid);
  }
}
}  // namespace detail

template <class First, class... Rest>
class ComObject : public First, public Rest... {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown)) {
      *ppv = static_cast<IUnknown*>(static_cast<First*>(this));
    } else {
      (void)(Find<First>(riid, ppv) || ... || Find<Rest>(riid, ppv));
    }
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }

  ULONG STDMETHODCALLTYPE Release() override {
    ULONG remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
  }

 protected:
  virtual ~ComObject() = default;

 private:
  template <class I>
  bool Find(REFIID riid, void** ppv) {
    if (!detail::AnswersIid<I>(riid)) return false;
    *ppv = static_cast<I*>(this);
    return true;
  }

  std::atomic<ULONG> references_{1};
};

// Creates a T and hands its construction reference to the returned pointer.
template <class T, class... Args>
ComPtr<T> MakeComObject(Args&&... args) {
  return ComPtr<T>::Attach(new T(std::forward<Args>(args)...));
}

}  // namespace kx
