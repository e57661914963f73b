// The classes the platform layer provides to CoCreateInstance.
//
// Each platform class registers itself once, at library load, with a static
// PlatformClassRegistration beside its implementation.
#pragma once

#include "objbase.h"

namespace kx {

// Creates a new instance and asks it for riid.
using ClassCreator = HRESULT (*)(REFIID riid, void** ppv);

struct PlatformClassRegistration {
  PlatformClassRegistration(const CLSID& clsid, ClassCreator create);
};

// The creator registered for clsid, or null.
ClassCreator LookupPlatformClass(const CLSID& clsid);

}  // namespace kx
