// PlacementRewriter: what the two Canvas rewriters share: the placement they borrow (it must
// outlive them), the element copy rules, and the shape of every callback: build the text of
// one event, then Emit it.
#pragma once

#include "canvas_placement.h"
#include "element_copy_rules.h"
#include "kx/hresult_error.h"
#include "page_markup_rewriter.h"

namespace kx {

class PlacementRewriter : public PageMarkupRewriter {
 public:
  PlacementRewriter(IPrintWriteStream* stream, CanvasPlacement& placement)
      : PageMarkupRewriter(stream), placement_(placement) {}

 protected:
  // Runs build on an empty buffer and emits what it wrote. A failure of build (returned or
  // thrown) is the result, and nothing of the event is written.
  template <class Build>
  HRESULT EmitBuilt(Build build) {
    return HResultBoundary([&] {
      out_.Clear();
      const HRESULT hr = build(out_);
      return FAILED(hr) ? hr : Emit(out_);
    });
  }

  CanvasPlacement& placement_;
  ElementCopyRules rules_;

 private:
  TextBuffer out_;
};

}  // namespace kx
