#include "page_planner.h"

namespace kx {

PagePlanner::PagePlanner(LayoutJob& job, ImageableAreaSource& device)
    : job_(job), device_(device), sheet_(job.pageMedia), previousSheet_(job.pageMedia) {}

HRESULT PagePlanner::Plan() {
  const HRESULT hr = job_.VisitActive(*this);
  if (FAILED(hr)) return hr;

  job_.slots.clear();
  if (job_.divisionStarted) StartOnNewSheet(breakBefore_);
  if (posterSheets_ > 0) {
    if (!job_.divisionStarted) StartOnNewSheet(cellIndex_ > 0);
    for (int i = 0; i < posterSheets_; ++i) {
      job_.slots.push_back(SheetSlot::Tile());
      job_.slots.push_back(SheetSlot::TileBack());
    }
  } else {
    job_.slots.push_back(SheetSlot::Page());
  }
  MarkSheets();
  job_.sheetMedia = sheet_;
  job_.previousSheetMedia = previousSheet_;
  return S_OK;
}

void PagePlanner::StartOnNewSheet(bool sheetOpen) {
  if (sheetOpen) {
    job_.slots.push_back(SheetSlot::Flush());
    if (twoSided_ && evenSides_) job_.slots.push_back(SheetSlot::Blank());
  } else if (twoSided_ && !evenSides_) {
    job_.slots.push_back(SheetSlot::Blank());
  }
}

void PagePlanner::MarkSheets() {
  int cell = cellIndex_;
  for (SheetSlot& slot : job_.slots) {
    if (slot.blank || slot.flush) continue;
    slot.twoSided = twoSided_;
    if (pagesPerSheet_ > 0) {
      slot.opensSheet = cell == 0 || slot.tile;
      if (++cell >= pagesPerSheet_) {
        cell = 0;
      } else {
        slot.closesSheet = false;
      }
    } else {
      slot.opensSheet = slot.tile;
    }
  }
}

HRESULT PagePlanner::VisitBinding(BindingLayout& binding) {
  twoSided_ = binding.IsTwoSided();
  evenSides_ = binding.sideCounter % 2 == 0;
  if (job_.divisionStarted && binding.IsBooklet()) {
    binding.gutterDirty = true;
    binding.bookletHalf = 0;
  }
  return S_OK;
}

HRESULT PagePlanner::VisitNUp(NUpLayout& nup) {
  pagesPerSheet_ = nup.record.pagesPerSheet;
  cellIndex_ = nup.cellIndex;
  previousSheet_ = nup.sheet;
  if (job_.divisionStarted) {
    breakBefore_ = cellIndex_ != 0;
    nup.geometryDirty = true;
    nup.cellDirty = true;
    nup.cellIndex = 0;
    cellIndex_ = 0;
  }
  if (cellIndex_ == 0 && nup.geometryDirty) nup.ComputeSheetGeometry(job_.pageMedia, device_);
  nup.SetRotationFlags(job_.pageMedia);
  sheet_ = nup.sheet;
  return S_OK;
}

HRESULT PagePlanner::VisitPoster(PosterLayout& poster) {
  poster.SetSizes(job_.pageMedia);
  posterSheets_ = poster.record.sheetsPerPage;
  return S_OK;
}

}  // namespace kx
