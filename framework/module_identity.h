// What makes one module different from the others: its identifiers and its filter object.
// Each module defines both; module_entry.cpp uses them.
#pragma once

#include "guiddef.h"

namespace kx {

class FilterBase;

struct ModuleIdentity {
  CLSID classId;          // the only class DllGetClassObject answers
  GUID traceControlGuid;  // control GUID of the module's trace provider
  GUID traceMessageGuid;  // sent with the module's trace events
};

extern const ModuleIdentity kModuleIdentity;

// Allocates the module's filter object with one reference. May throw CXDException or
// std::bad_alloc.
FilterBase* CreateModuleFilter();

}  // namespace kx
