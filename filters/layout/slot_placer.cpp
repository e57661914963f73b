#include "slot_placer.h"

namespace kx {

HRESULT SlotPlacer::Place() {
  const ImageableAreaSettings& area = job_.pageMedia.area;
  for (SheetSlot& slot : job_.slots) {
    clip_[0] = {ToPageUnits(area.originWidth), ToPageUnits(area.originHeight)};
    clip_[1] = {ToPageUnits(area.originWidth + area.extentWidth),
                ToPageUnits(area.originHeight + area.extentHeight)};
    bindingTransform_.Reset();
    nupTransform_.Reset();
    posterTransform_.Reset();
    borderLines_.Clear();
    if (slot.blank || slot.flush) continue;

    slot_ = &slot;
    const HRESULT hr = job_.VisitActive(*this);
    slot_ = nullptr;
    if (FAILED(hr)) return hr;
    slot.transform.Reset();
    for (const AffineMatrix* part : {&posterTransform_, &nupTransform_, &bindingTransform_})
      if (!part->IsIdentity()) slot.transform.Append(*part);
    if (slot.opensSheet && borderLines_.Drawn()) slot.borderLines = borderLines_;
    slot.clip[0] = clip_[0];
    slot.clip[1] = clip_[1];
  }
  return S_OK;
}

HRESULT SlotPlacer::VisitPoster(PosterLayout& poster) {
  if (!slot_->tile) return S_OK;
  poster.ComputeTile();
  posterTransform_ = poster.tileTransform;
  clip_[0] = {poster.tileClip[0], poster.tileClip[1]};
  clip_[1] = {poster.tileClip[2], poster.tileClip[3]};
  poster.AdvanceTile();
  return S_OK;
}

HRESULT SlotPlacer::VisitNUp(NUpLayout& nup) {
  if (slot_->tile) {
    // The sheet after a poster is laid out afresh.
    nup.geometryDirty = true;
    nup.cellDirty = true;
    nup.cellIndex = 0;
    return S_OK;
  }
  if (nup.record.pagesPerSheet == 1) {
    nupTransform_ = nup.SinglePagePlacement(job_.pageMedia);
  } else {
    nupTransform_ = nup.CellTransform();
    if (nup.cellIndex == 0 && nup.record.border != 0) borderLines_ = nup.borderLines;
  }
  nup.AdvanceCell();
  return S_OK;
}

HRESULT SlotPlacer::VisitBinding(BindingLayout& binding) {
  if (binding.referencePending) {
    binding.referenceSheet = job_.sheetMedia.size;
    binding.referencePending = false;
  }
  if (slot_->tile) return S_OK;
  if (binding.currentOrientation != job_.sheetMedia.size.orientation) {
    binding.currentOrientation = job_.sheetMedia.size.orientation;
    binding.gutterDirty = true;
  }
  if (binding.IsBooklet()) {
    bindingTransform_ = binding.GutterShift();
    binding.gutterDirty = true;
    binding.bookletHalf ^= 1;
  }
  return S_OK;
}

}  // namespace kx
