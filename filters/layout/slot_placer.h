// SlotPlacer: gives each slot of the current page its transform and clip: the poster tile,
// then the N-up cell (or the single-page placement), then the booklet half's gutter shift;
// and the border lines to a slot that opens a sheet. Advances the cell and tile counters.
// One instance per page.
#pragma once

#include "affine_matrix.h"
#include "border_lines.h"
#include "layout_component.h"
#include "layout_job.h"

namespace kx {

class SlotPlacer final : public LayoutVisitor {
 public:
  explicit SlotPlacer(LayoutJob& job) : job_(job) {}

  HRESULT Place();

  HRESULT VisitPoster(PosterLayout& poster) override;
  HRESULT VisitNUp(NUpLayout& nup) override;
  HRESULT VisitBinding(BindingLayout& binding) override;

 private:
  LayoutJob& job_;
  const SheetSlot* slot_ = nullptr;
  AffineMatrix bindingTransform_;
  AffineMatrix nupTransform_;
  AffineMatrix posterTransform_;
  Gdiplus::PointF clip_[2] = {};
  BorderLines borderLines_;
};

}  // namespace kx
