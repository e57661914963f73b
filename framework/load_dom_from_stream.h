// Loading an MSXML DOM (DOMDocument60) from a COM stream, read from its start.
#pragma once

#include "msxml6.h"

namespace kx {

// On success the caller owns *document. A document that does not load gives E_FAIL and no
// DOM; null arguments give E_POINTER.
HRESULT LoadDomFromStream(IStream* stream, IXMLDOMDocument2** document);

}  // namespace kx
