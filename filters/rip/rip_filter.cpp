#include "rip_filter.h"

namespace kx {

// Printing through the converter is not built yet; the pipeline learns that from the result.
HRESULT RipFilter::StartOperation() { return E_NOTIMPL; }

}  // namespace kx
