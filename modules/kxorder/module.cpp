#include "order_filter.h"
#include "module_identity.h"

kx::FilterBase* kx::CreateModuleFilter() { return new OrderFilter; }
