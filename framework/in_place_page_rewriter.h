// InPlacePageRewriter: rewrites a page into its own write stream, keeping the FixedPage
// element and wrapping all of its children (FixedPage.Resources included) in a Canvas with the
// placement's RenderTransform and a clip of the page's own size. Writes the XML declaration.
#pragma once

#include "placement_rewriter.h"

namespace kx {

class InPlacePageRewriter final : public PlacementRewriter {
 public:
  using PlacementRewriter::PlacementRewriter;

  HRESULT STDMETHODCALLTYPE startDocument() override;
  HRESULT STDMETHODCALLTYPE startElement(const WCHAR* namespaceUri, int namespaceUriLength,
                                         const WCHAR* localName, int localNameLength,
                                         const WCHAR* qName, int qNameLength,
                                         ISAXAttributes* attributes) override;
  HRESULT STDMETHODCALLTYPE endElement(const WCHAR* namespaceUri, int namespaceUriLength,
                                       const WCHAR* localName, int localNameLength,
                                       const WCHAR* qName, int qNameLength) override;

 private:
  HRESULT OpenPageCanvas(TextBuffer& out, ISAXAttributes* attributes);

  bool canvasOpen_ = false;
};

}  // namespace kx
