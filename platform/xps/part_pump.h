// PumpParts: hands every part of a provider to a consumer by its kind, then closes the consumer:
// what a filter that changes nothing does, without a filter. The package copy of the tests and
// the baseline of the benchmarks.
#pragma once

#include "filterpipeline.h"

namespace kx::xps {

HRESULT PumpParts(IXpsDocumentProvider* provider, IXpsDocumentConsumer* consumer);

// Sends one part by the first interface it answers: document, sequence, fixed document, page,
// else as an unknown part.
HRESULT SendPart(IXpsDocumentConsumer* consumer, IUnknown* part);

}  // namespace kx::xps
