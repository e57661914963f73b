// CanvasFragmentRewriter: turns a page into a Canvas to be placed on another page. The
// FixedPage element becomes a Canvas with the placement's RenderTransform and Clip and the
// page's prefixed namespace declarations; FixedPage.Resources becomes Canvas.Resources; every
// other element is copied by the element copy rules. No XML declaration is written.
#pragma once

#include "placement_rewriter.h"

namespace kx {

class CanvasFragmentRewriter final : public PlacementRewriter {
 public:
  using PlacementRewriter::PlacementRewriter;

  HRESULT STDMETHODCALLTYPE startElement(const WCHAR* namespaceUri, int namespaceUriLength,
                                         const WCHAR* localName, int localNameLength,
                                         const WCHAR* qName, int qNameLength,
                                         ISAXAttributes* attributes) override;
  HRESULT STDMETHODCALLTYPE endElement(const WCHAR* namespaceUri, int namespaceUriLength,
                                       const WCHAR* localName, int localNameLength,
                                       const WCHAR* qName, int qNameLength) override;

 private:
  HRESULT WritePageCanvas(TextBuffer& out, ISAXAttributes* attributes);
};

}  // namespace kx
