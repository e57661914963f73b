// BindingLayout: the binding and duplex settings of the job, the count of sheet sides sent, and
// the gutter shift that moves a sheet side (or a booklet half) away from the binding edge.
// Per-job state of the layout filter; reset at every job start.
#pragma once

#include "affine_matrix.h"
#include "binding_settings.h"
#include "duplex_settings.h"
#include "layout_component.h"
#include "media_size_settings.h"

namespace kx {

class BindingLayout final : public LayoutComponent {
 public:
  HRESULT Accept(LayoutVisitor& visitor) override { return visitor.VisitBinding(*this); }
  // Binding or duplex present.
  bool IsActive() const override { return binding.feature != -1 || duplex.source != -1; }

  void Reset();
  bool IsBooklet() const {
    return binding.binding == kBooklet || binding.binding == kBookletReverseFlip;
  }
  bool IsTwoSided() const { return duplex.duplex != kOneSided; }
  // One more sheet side sent or skipped; the shift depends on the side's parity.
  void CountSide() {
    ++sideCounter;
    gutterDirty = true;
  }
  // The shift for the current side (or booklet half), recomputed when dirty.
  const AffineMatrix& GutterShift();

  BindingSettings binding;
  DuplexSettings duplex;
  MediaSizeSettings referenceSheet;
  bool gutterDirty = true;
  bool referencePending = true;
  int sideCounter = 0;
  int bookletHalf = 0;
  int currentOrientation = kPortrait;

 private:
  void ComputeGutterShift();

  AffineMatrix gutterShift_;
};

}  // namespace kx
