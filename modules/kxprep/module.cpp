#include "module_identity.h"
#include "prep_filter.h"

kx::FilterBase* kx::CreateModuleFilter() { return new PrepFilter; }
