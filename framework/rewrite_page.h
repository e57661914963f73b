// RewritePage: streams a page's markup through the SAX reader into a rewriter.
#pragma once

#include "filterpipeline.h"
#include "msxml6.h"

namespace kx {

// The parse result: a rewriter's failure stops the parse and is returned. The caller then
// finishes the rewriter (PageMarkupRewriter::Finish) before closing the output.
HRESULT RewritePage(IFixedPage* page, ISAXContentHandler* rewriter);

// Parses source (an ISequentialStream or IStream) into handler with a new SAXXMLReader60.
HRESULT ParseMarkup(IUnknown* source, ISAXContentHandler* handler);

}  // namespace kx
