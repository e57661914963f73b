// Whether the calling thread has entered a COM apartment.
#pragma once

#include "objbase.h"

namespace kx {

bool IsComInitialized();

}  // namespace kx
