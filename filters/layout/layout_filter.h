// LayoutFilter: composes sheets from pages (kxlayout).
#pragma once

#include "xps_filter_base.h"

namespace kx {

class LayoutFilter : public XpsFilterBase {
 public:
  LayoutFilter() = default;
};

}  // namespace kx
