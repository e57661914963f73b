// The "PrintClassFactory" of the property bag. The service offers no class objects yet (the
// asynchronous notification objects come with the manual duplex hand-off): every request
// answers E_NOINTERFACE.
#pragma once

#include "filterpipeline.h"
#include "kx/com_ptr.h"

namespace kx::pipeline {

ComPtr<IPrintClassObjectFactory> CreatePrintClassFactory();

}  // namespace kx::pipeline
