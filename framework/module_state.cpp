#include "module_state.h"

namespace kx {

namespace {
// Constant-initialised: DllMain may run before the module's dynamic initialisers.
constinit ModuleState moduleState{};
}  // namespace

ModuleState& TheModule() { return moduleState; }

}  // namespace kx
