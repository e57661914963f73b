// SheetWriter: runs the slots of the current page through the sheet state machine: counts
// sheet sides, writes blank back sides, opens composed sheets, draws the page into the open
// sheet, closes and sends complete sheets, forwards a page that needs no composition (shifted
// in place by the gutter), and inserts the blank side that ends the first-tray pages. Also the
// placement the Canvas rewriters ask for the current slot. One instance per page or flush.
#pragma once

#include "affine_matrix.h"
#include "canvas_placement.h"
#include "filterpipeline.h"
#include "layout_component.h"
#include "layout_job.h"

namespace kx {

class SheetWriter final : public LayoutVisitor, public CanvasPlacement {
 public:
  SheetWriter(LayoutJob& job, IXpsDocumentConsumer* writer) : job_(job), writer_(writer) {}

  // Processes the slot list, then drops the page and its ticket.
  HRESULT Write();
  // End of the job: closes and sends the open sheet. No blank side is added.
  HRESULT Flush();

  HRESULT VisitPoster(PosterLayout&) override { return S_OK; }
  HRESULT VisitNUp(NUpLayout&) override { return S_OK; }
  HRESULT VisitBinding(BindingLayout& binding) override;

  HRESULT GetTransform(Gdiplus::GpMatrix* matrix) override;
  HRESULT GetClipCorners(Gdiplus::PointF* first, Gdiplus::PointF* second) override;

 private:
  // One pass over a slot; again is set when the same slot must decide a blank side after the
  // first-tray pages.
  HRESULT Pass(const SheetSlot& slot, bool* again);
  HRESULT WriteBlank(ComPtr<IFixedPage>* output);
  HRESULT PlacePage(const SheetSlot& slot, ComPtr<IFixedPage>* output);
  HRESULT OpenSheetFor(const SheetSlot& slot);
  // Closes the open sheet; its page becomes output unless closing failed.
  HRESULT CloseOpenSheet(ComPtr<IFixedPage>* output);
  HRESULT Send(IFixedPage* page, bool* again);

  LayoutJob& job_;
  IXpsDocumentConsumer* const writer_;
  bool pendingBlank_ = false;
  bool blank_ = false;
  bool flush_ = false;
  bool tile_ = false;
  bool complete_ = false;
  bool emitBlank_ = false;
  bool bindingSeen_ = false;
  AffineMatrix sheetTransform_;
  AffineMatrix transform_;
  Gdiplus::PointF clip_[2] = {};
};

}  // namespace kx
