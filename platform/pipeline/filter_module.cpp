#include "filter_module.h"

#include "hresult_text.h"
#include "kx/utf16.h"
#include "package_error.h"

namespace kx::pipeline {

FilterModule::FilterModule(const std::string& path) : path_(path) {
  module_ = LoadLibraryW(Utf8ToUtf16(path).c_str());
  if (!module_)
    xps::ThrowPackageError(HRESULT_FROM_WIN32(GetLastError()), path + ": cannot be loaded");
  getClassObject_ =
      reinterpret_cast<GetClassObjectFn>(GetProcAddress(module_, "DllGetClassObject"));
  canUnloadNow_ = reinterpret_cast<CanUnloadNowFn>(GetProcAddress(module_, "DllCanUnloadNow"));
  if (!getClassObject_ || !canUnloadNow_) {
    FreeLibrary(module_);
    xps::ThrowPackageError(
        HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND),
        path + ": not a filter module (DllGetClassObject or DllCanUnloadNow missing)");
  }
}

FilterModule::~FilterModule() {
  if (canUnloadNow_() == S_OK) FreeLibrary(module_);
}

ComPtr<IPrintPipelineFilter> FilterModule::CreateFilter(REFCLSID classId) const {
  ComPtr<IPrintPipelineFilter> filter;
  const HRESULT hr =
      getClassObject_(classId, IID_IPrintPipelineFilter, filter.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr) || !filter)
    xps::ThrowPackageError(FAILED(hr) ? hr : E_UNEXPECTED,
                           path_ + ": DllGetClassObject failed: " + DescribeHResult(hr));
  return filter;
}

}  // namespace kx::pipeline
