// State shared by everything in one module: the instance handle DllMain received and the
// number of live filter objects. Each module links its own copy.
#pragma once

#include "windows.h"

namespace kx {

struct ModuleState {
  HINSTANCE instance = nullptr;
  LONG volatile liveObjects = 0;
};

ModuleState& TheModule();

}  // namespace kx
