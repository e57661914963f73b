#include "module_state.h"

namespace kx {

ModuleState& TheModule() {
  static ModuleState state;  // trivially destructible: valid until the module is unloaded
  return state;
}

}  // namespace kx
