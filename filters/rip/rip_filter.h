// RipFilter: turns XPS into printer data (kxrip). It runs a part loop of its own rather than
// the XPS filters' hooks.
#pragma once

#include "filter_base.h"

namespace kx {

class RipFilter : public FilterBase {
 public:
  RipFilter() = default;

  HRESULT STDMETHODCALLTYPE StartOperation() override;
};

}  // namespace kx
