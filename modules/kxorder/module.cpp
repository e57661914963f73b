#include "module_identity.h"
#include "order_filter.h"

kx::FilterBase* kx::CreateModuleFilter() { return new OrderFilter; }
