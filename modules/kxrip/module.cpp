#include "module_identity.h"
#include "rip_filter.h"

kx::FilterBase* kx::CreateModuleFilter() { return new RipFilter; }
