#include "fake_pipeline.h"

#include "memory_streams.h"

namespace kx::test {

FakePropertyBag::~FakePropertyBag() {
  for (auto& [name, value] : properties_) VariantClear(&value);
}

HRESULT FakePropertyBag::AddProperty(const WCHAR* name, const VARIANT* value) {
  if (!name || !value) return E_POINTER;
  return VariantCopy(&properties_[name], value);  // a new entry starts zeroed, i.e. VT_EMPTY
}

HRESULT FakePropertyBag::GetProperty(const WCHAR* name, VARIANT* value) {
  if (!name || !value) return E_POINTER;
  const auto found = properties_.find(name);
  if (found == properties_.end()) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
  VariantInit(value);
  return VariantCopy(value, &found->second);
}

BOOL FakePropertyBag::DeleteProperty(const WCHAR* name) {
  const auto found = properties_.find(name);
  if (found == properties_.end()) return FALSE;
  VariantClear(&found->second);
  properties_.erase(found);
  return TRUE;
}

void FakePropertyBag::SetString(const std::u16string& name, const std::u16string& value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  AddProperty(name.c_str(), &v);
  VariantClear(&v);
}

void FakePropertyBag::SetUInt(const std::u16string& name, ULONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_UI4;
  v.ulVal = value;
  AddProperty(name.c_str(), &v);
}

void FakePropertyBag::SetUnknown(const std::u16string& name, IUnknown* value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_UNKNOWN;
  v.punkVal = value;  // borrowed: AddProperty takes its own reference
  AddProperty(name.c_str(), &v);
}

void FakePropertyBag::SetUserTicket(const std::string& xml) {
  SetUnknown(u"PerUserPrintTicket", MakeComObject<MemoryReadStreamFactory>(xml).Get());
}

}  // namespace kx::test
