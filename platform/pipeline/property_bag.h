// PropertyBag: the pipeline property bag every filter of a job reads. Values are copied in and
// out (VariantCopy); any thread may call. A missing name answers
// HRESULT_FROM_WIN32(ERROR_NOT_FOUND).
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx::pipeline {

class PropertyBag final : public ComObject<IPrintPipelinePropertyBag> {
 public:
  ~PropertyBag() override;

  HRESULT STDMETHODCALLTYPE AddProperty(const WCHAR* name, const VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE GetProperty(const WCHAR* name, VARIANT* value) override;
  BOOL STDMETHODCALLTYPE DeleteProperty(const WCHAR* name) override;

  // Conveniences for the service; each throws HResultError when the value cannot be stored.
  void SetString(const std::u16string& name, const std::u16string& value);
  void SetUInt(const std::u16string& name, ULONG value);
  void SetUnknown(const std::u16string& name, IUnknown* value);

 private:
  void Store(const std::u16string& name, const VARIANT& value);

  std::mutex mutex_;
  std::map<std::u16string, VARIANT> properties_;
};

}  // namespace kx::pipeline
