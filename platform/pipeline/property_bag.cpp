#include "property_bag.h"

#include "kx/hresult_error.h"

namespace kx::pipeline {

PropertyBag::~PropertyBag() {
  for (auto& [name, value] : properties_) VariantClear(&value);
}

HRESULT PropertyBag::AddProperty(const WCHAR* name, const VARIANT* value) {
  if (!name || !value) return E_POINTER;
  return HResultBoundary([&] {
    VARIANT copy;
    VariantInit(&copy);
    const HRESULT hr = VariantCopy(&copy, value);
    if (FAILED(hr)) return hr;
    std::lock_guard lock(mutex_);
    VARIANT& slot = properties_[name];  // a new entry starts zeroed: VT_EMPTY
    VariantClear(&slot);
    slot = copy;
    return S_OK;
  });
}

HRESULT PropertyBag::GetProperty(const WCHAR* name, VARIANT* value) {
  if (!name || !value) return E_POINTER;
  VariantInit(value);
  std::lock_guard lock(mutex_);
  const auto found = properties_.find(name);
  if (found == properties_.end()) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
  return VariantCopy(value, &found->second);
}

BOOL PropertyBag::DeleteProperty(const WCHAR* name) {
  if (!name) return FALSE;
  std::lock_guard lock(mutex_);
  const auto found = properties_.find(name);
  if (found == properties_.end()) return FALSE;
  VariantClear(&found->second);
  properties_.erase(found);
  return TRUE;
}

void PropertyBag::Store(const std::u16string& name, const VARIANT& value) {
  const HRESULT hr = AddProperty(name.c_str(), &value);
  if (FAILED(hr)) throw HResultError{hr};
}

void PropertyBag::SetString(const std::u16string& name, const std::u16string& text) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!value.bstrVal) throw std::bad_alloc();
  try {
    Store(name, value);
  } catch (...) {
    VariantClear(&value);
    throw;
  }
  VariantClear(&value);
}

void PropertyBag::SetUInt(const std::u16string& name, ULONG number) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_UI4;
  value.ulVal = number;
  Store(name, value);
}

void PropertyBag::SetUnknown(const std::u16string& name, IUnknown* object) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_UNKNOWN;
  value.punkVal = object;  // borrowed: the copy takes its own reference
  Store(name, value);
}

}  // namespace kx::pipeline
