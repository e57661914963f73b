// PagePlanner: builds the slot list of one page: a page slot, or the tiles of a poster with
// their backs, preceded by what a new division or a poster needs (closing a half-filled sheet,
// a blank back side), and marks which slots open and close a sheet. Lays out the sheet for the
// first cell of a sheet. Reads and changes the layout job; one instance per page.
#pragma once

#include "imageable_area_source.h"
#include "layout_component.h"
#include "layout_job.h"

namespace kx {

class PagePlanner final : public LayoutVisitor {
 public:
  PagePlanner(LayoutJob& job, ImageableAreaSource& device);

  HRESULT Plan();

  HRESULT VisitPoster(PosterLayout& poster) override;
  HRESULT VisitNUp(NUpLayout& nup) override;
  HRESULT VisitBinding(BindingLayout& binding) override;

 private:
  // Closes a half-filled sheet, and pads the side count so that what follows starts on the
  // front of a new sheet.
  void StartOnNewSheet(bool sheetOpen);
  void MarkSheets();

  LayoutJob& job_;
  ImageableAreaSource& device_;
  SheetMedia sheet_;
  SheetMedia previousSheet_;
  bool breakBefore_ = false;
  int pagesPerSheet_ = 0;
  int cellIndex_ = 0;
  bool twoSided_ = false;
  bool evenSides_ = true;
  int posterSheets_ = 0;
};

}  // namespace kx
