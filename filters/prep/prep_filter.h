// PrepFilter: scales pages and draws watermark and header/footer overlays (kxprep).
#pragma once

#include "xps_filter_base.h"

namespace kx {

class PrepFilter : public XpsFilterBase {
 public:
  PrepFilter() = default;
};

}  // namespace kx
