// ScriptedProvider: an IXpsDocumentProvider that hands out a list of parts in order, then the
// end of the stream. It can fail at a given position and run an action before handing out a
// part (to shut a filter down mid-job, say).
#pragma once

#include <functional>
#include <vector>

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx::test {

class ScriptedProvider final : public ComObject<IXpsDocumentProvider> {
 public:
  explicit ScriptedProvider(std::vector<ComPtr<IUnknown>> parts) : parts_(std::move(parts)) {}

  HRESULT STDMETHODCALLTYPE GetXpsPart(IUnknown** part) override {
    if (!part) return E_POINTER;
    *part = nullptr;
    const std::size_t index = calls_++;
    if (beforePart) beforePart(index);
    if (index == failAt) return failure;
    if (index >= parts_.size()) return S_OK;
    return parts_[index].CopyTo(part);
  }

  std::size_t Calls() const { return calls_; }

  std::size_t failAt = static_cast<std::size_t>(-1);
  HRESULT failure = E_FAIL;
  std::function<void(std::size_t)> beforePart;

 private:
  std::vector<ComPtr<IUnknown>> parts_;
  std::size_t calls_ = 0;
};

}  // namespace kx::test
