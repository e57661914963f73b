// OrderFilter: sends the pages of a booklet job in booklet order (kxorder).
#pragma once

#include "xps_filter_base.h"

namespace kx {

class OrderFilter : public XpsFilterBase {
 public:
  OrderFilter() = default;
};

}  // namespace kx
