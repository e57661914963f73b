// FinisherFilter: mirror, reverse and transverse images and poster cut-out marks (kxfinish).
#pragma once

#include "xps_filter_base.h"

namespace kx {

class FinisherFilter : public XpsFilterBase {
 public:
  FinisherFilter() = default;
};

}  // namespace kx
