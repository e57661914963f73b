#include "prep_filter.h"
#include "module_identity.h"

kx::FilterBase* kx::CreateModuleFilter() { return new PrepFilter; }
