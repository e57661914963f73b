#include "sheet_writer.h"

#include "empty_page.h"
#include "kx/hresult_error.h"
#include "output_ticket.h"
#include "shifted_page.h"

namespace kx {

HRESULT SheetWriter::Write() {
  HRESULT hr = HResultBoundary([&] {
    for (const SheetSlot& slot : job_.slots) {
      bool again = true;
      while (again) {
        again = false;
        const HRESULT passed = Pass(slot, &again);
        if (FAILED(passed)) return passed;
      }
    }
    return S_OK;
  });
  job_.slots.clear();
  if (job_.nup.record.pagesPerSheet < 2 || job_.nup.cellIndex == 1)
    job_.sheetTicket = job_.currentTicket;
  job_.page.Reset();
  job_.currentTicket.Reset();
  job_.currentTicketAsMade = false;
  return hr;
}

HRESULT SheetWriter::Flush() {
  const HRESULT hr = HResultBoundary([&] {
    ComPtr<IFixedPage> output;
    HRESULT closed = CloseOpenSheet(&output);
    if (FAILED(closed) || !output) return closed;
    return writer_->SendFixedPage(output.Get());
  });
  job_.sheetTicket.Reset();
  job_.previousSheetMedia = SheetMedia{};
  return hr;
}

HRESULT SheetWriter::Pass(const SheetSlot& slot, bool* again) {
  if (pendingBlank_) {
    blank_ = true;
    flush_ = tile_ = complete_ = false;
  } else {
    blank_ = slot.blank;
    flush_ = slot.flush;
    tile_ = slot.tile;
    complete_ = slot.closesSheet || slot.tile;
  }
  sheetTransform_.Reset();
  emitBlank_ = false;
  bindingSeen_ = false;
  HRESULT hr = job_.VisitActive(*this);
  if (FAILED(hr)) return hr;

  ComPtr<IFixedPage> output;
  if (blank_) {
    if (!tile_ && emitBlank_) {
      hr = WriteBlank(&output);
    } else if (!emitBlank_) {
      pendingBlank_ = false;
    }
  } else if (pendingBlank_) {
    pendingBlank_ = false;  // the side count needs no blank: the next sheet is a new one
  } else if (flush_) {
    hr = CloseOpenSheet(&output);
  } else {
    hr = PlacePage(slot, &output);
  }
  if (FAILED(hr) || !output) return hr;
  return Send(output.Get(), again);
}

HRESULT SheetWriter::VisitBinding(BindingLayout& binding) {
  bindingSeen_ = true;
  if (pendingBlank_) {
    // After the first-tray pages the next page must start a new sheet.
    if (binding.sideCounter % 2 == 1 && binding.IsTwoSided()) {
      binding.CountSide();
      emitBlank_ = binding.duplex.mode != 2;
    } else {
      blank_ = false;
    }
  } else if (blank_) {
    binding.CountSide();
    // In manual duplex the user turns the stack; an empty side needs no page.
    emitBlank_ = !(binding.IsTwoSided() && binding.duplex.mode == 2);
  } else {
    if (!tile_ && !binding.IsBooklet()) sheetTransform_ = binding.GutterShift();
    if (complete_ || flush_) binding.CountSide();
  }
  return S_OK;
}

HRESULT SheetWriter::WriteBlank(ComPtr<IFixedPage>* output) {
  const bool afterSeparation = pendingBlank_;
  pendingBlank_ = false;
  const SheetMedia& media = afterSeparation ? job_.sheetMedia : job_.previousSheetMedia;
  ComPtr<IFixedPage> page;
  HRESULT hr = WriteEmptyPage(writer_, media.Width(), media.Height(), job_.partNames, &page);
  if (FAILED(hr)) return hr;
  ComPtr<IXMLDOMDocument2>& base = job_.sheetTicket ? job_.sheetTicket : job_.currentTicket;
  if (!job_.sheetTicket) job_.currentTicketAsMade = false;  // replaced by a changed copy
  hr = WriteOutputTicket(
      writer_, page.Get(), base, job_,
      afterSeparation ? OutputKind::kSheetAfterTraySeparation : OutputKind::kBlankSide);
  if (SUCCEEDED(hr)) *output = std::move(page);
  return hr;
}

HRESULT SheetWriter::PlacePage(const SheetSlot& slot, ComPtr<IFixedPage>* output) {
  if (slot.opensSheet) {
    const HRESULT hr = OpenSheetFor(slot);
    if (FAILED(hr)) return hr;
  }
  if (job_.openSheet.IsOpen()) {
    transform_ = slot.transform;
    clip_[0] = slot.clip[0];
    clip_[1] = slot.clip[1];
    const HRESULT hr = DrawPage(job_.openSheet, job_.page.Get(), *this);
    if (FAILED(hr)) {
      // A sheet that could not be drawn is closed and not sent.
      ComPtr<IFixedPage> dropped;
      CloseOpenSheet(&dropped);
      return hr;
    }
    return complete_ ? CloseOpenSheet(output) : S_OK;
  }

  // No composition: the page goes on by itself, shifted by the gutter when there is one.
  if (!sheetTransform_.IsIdentity()) {
    transform_ = sheetTransform_;
    const HRESULT hr = ShiftPageInPlace(job_.page.Get(), *this);
    if (FAILED(hr)) return hr;
  }
  const HRESULT hr = WritePageOutputTicket(writer_, job_.page.Get(), job_, OutputKind::kPageAlone);
  if (SUCCEEDED(hr)) *output = job_.page;
  return hr;
}

HRESULT SheetWriter::OpenSheetFor(const SheetSlot& slot) {
  if (job_.openSheet.IsOpen()) {
    // Never drop a sheet that still holds pages.
    ComPtr<IFixedPage> previous;
    bool ignored = false;
    HRESULT hr = CloseOpenSheet(&previous);
    if (SUCCEEDED(hr) && previous) hr = Send(previous.Get(), &ignored);
    if (FAILED(hr)) return hr;
  }
  const SheetMedia& size = tile_ ? job_.pageMedia : job_.sheetMedia;
  OpenSheet sheet;
  HRESULT hr =
      OpenNewSheet(writer_, size.Width(), size.Height(), sheetTransform_, job_.partNames, &sheet);
  if (FAILED(hr)) return hr;
  hr = WritePageOutputTicket(writer_, sheet.page.Get(), job_, OutputKind::kNewSheet);
  if (FAILED(hr)) {
    sheet.stream->Close();
    return hr;
  }
  if (slot.borderLines.Drawn()) sheet.borderLines = slot.borderLines;
  job_.openSheet = std::move(sheet);
  return S_OK;
}

HRESULT SheetWriter::CloseOpenSheet(ComPtr<IFixedPage>* output) {
  if (!job_.openSheet.IsOpen()) return S_OK;
  const HRESULT hr = CloseSheet(writer_, job_.openSheet);
  if (SUCCEEDED(hr)) *output = job_.openSheet.page;
  job_.openSheet = OpenSheet{};
  return hr;
}

HRESULT SheetWriter::Send(IFixedPage* page, bool* again) {
  const HRESULT hr = writer_->SendFixedPage(page);
  if (FAILED(hr)) return hr;
  if (job_.leadingPages > 0 && --job_.leadingPages == 0) {
    // The first-tray pages are done: the same slot decides whether a blank side follows.
    pendingBlank_ = bindingSeen_;
    *again = bindingSeen_;
  }
  return S_OK;
}

HRESULT SheetWriter::GetTransform(Gdiplus::GpMatrix* matrix) {
  if (!matrix) return E_POINTER;
  return Gdiplus::GdipMultiplyMatrix(matrix, transform_.Get(), Gdiplus::MatrixOrderAppend) ==
                 Gdiplus::Ok
             ? S_OK
             : E_FAIL;
}

HRESULT SheetWriter::GetClipCorners(Gdiplus::PointF* first, Gdiplus::PointF* second) {
  if (!first || !second) return E_POINTER;
  *first = clip_[0];
  *second = clip_[1];
  return S_OK;
}

}  // namespace kx
