// DocumentVisitor: decides at each fixed document whether its part is sent. With job-wide
// N-up the documents are merged: only the first document part goes on, and the pages of the
// later ones continue it. One instance per document.
#pragma once

#include "layout_component.h"
#include "nup_layout.h"

namespace kx {

class DocumentVisitor final : public LayoutVisitor {
 public:
  HRESULT VisitPoster(PosterLayout&) override { return S_OK; }
  HRESULT VisitNUp(NUpLayout& nup) override {
    suppress_ = nup.mergeFlag;
    if (nup.record.feature == 0 && !nup.mergeFlag) nup.mergeFlag = true;
    return S_OK;
  }
  HRESULT VisitBinding(BindingLayout&) override { return S_OK; }

  // The document part is not to be sent.
  bool Suppress() const { return suppress_; }

 private:
  bool suppress_ = false;
};

}  // namespace kx
