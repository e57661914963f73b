// SequenceVisitor: the visit of the document sequence hook. No component acts at the start of
// a job beyond what the reconcile did; the visit is kept so that each hook has its step.
#pragma once

#include "layout_component.h"

namespace kx {

class SequenceVisitor final : public LayoutVisitor {
 public:
  HRESULT VisitPoster(PosterLayout&) override { return S_OK; }
  HRESULT VisitNUp(NUpLayout&) override { return S_OK; }
  HRESULT VisitBinding(BindingLayout&) override { return S_OK; }
};

}  // namespace kx
