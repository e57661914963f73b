// FilterModule: a filter module loaded with LoadLibraryW. Creates filter objects through its
// DllGetClassObject and, when destroyed, unloads itself if its DllCanUnloadNow allows it (a
// module that still has live objects stays loaded).
#pragma once

#include <string>

#include "filterpipeline.h"
#include "kx/com_ptr.h"
#include "windows.h"

namespace kx::pipeline {

class FilterModule {
 public:
  // Throws xps::PackageError naming the module when it cannot be loaded or lacks its exports.
  explicit FilterModule(const std::string& path);
  ~FilterModule();
  FilterModule(const FilterModule&) = delete;
  FilterModule& operator=(const FilterModule&) = delete;

  // A new filter of class `classId`; throws xps::PackageError with the module's HRESULT.
  ComPtr<IPrintPipelineFilter> CreateFilter(REFCLSID classId) const;

 private:
  using GetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, LPVOID*);
  using CanUnloadNowFn = HRESULT (*)();

  std::string path_;
  HMODULE module_ = nullptr;
  GetClassObjectFn getClassObject_ = nullptr;
  CanUnloadNowFn canUnloadNow_ = nullptr;
};

}  // namespace kx::pipeline
