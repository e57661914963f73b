#include "settings_reconciler.h"

#include "device_imageable_area.h"
#include "input_bin_settings.h"
#include "job_info_settings.h"
#include "kx/hresult_error.h"

namespace kx {
namespace {

// A reader that found nothing has left the record as it was.
bool ReadOrAbsent(HRESULT hr) { return SUCCEEDED(hr) || hr == kElementNotFound; }

}  // namespace

HRESULT SettingsReconciler::Reconcile() {
  if (!job_.currentTicket) return S_OK;
  return HResultBoundary([&] {
    writingBack_ = false;
    const HRESULT hr = scope_ == kPageScope ? ReconcilePage() : ReconcileJobOrDocument();
    if (FAILED(hr)) return hr;
    writingBack_ = true;
    return job_.VisitAll(*this);
  });
}

HRESULT SettingsReconciler::ReconcileJobOrDocument() {
  const PrintTicketDocument ticket(TicketRoot::PrintTicket, kPrivateKeywordsNamespace,
                                   job_.currentTicket.Get());
  HRESULT hr = scope_ == kJobScope ? ReadJobSettings(ticket) : S_OK;
  if (!ReadOrAbsent(hr)) return hr;
  job_.divisionStarted = false;
  hr = job_.VisitActive(*this);
  return FAILED(hr) ? hr : ReconcileJobRecords(ticket);
}

HRESULT SettingsReconciler::ReconcilePage() {
  HRESULT hr = job_.VisitActive(*this);
  if (FAILED(hr)) return hr;
  PageTicketSettings settings;
  hr = ReadPageTicket(&settings);
  if (FAILED(hr)) return hr;

  job_.pageMedia = settings.media;
  if (!job_.firstBinLatched) {
    job_.pageBin = job_.firstBin = settings.firstBin;
    job_.firstBinLatched = true;
  } else {
    job_.pageBin = job_.secondBin == kSameTrayBin ? settings.firstBin : job_.secondBin;
  }
  job_.divisionStarted = job_.division.StartsDivision(settings.divideCondition);
  if (job_.divisionStarted) job_.leadingPages = 0;

  if (!job_.traySetupDone && job_.separateTray) {
    const bool twoSidedFirstPaper =
        duplex_.source != -1 && duplex_.duplex != kOneSided && job_.firstPaper;
    job_.leadingPages = twoSidedFirstPaper ? 2 : 1;
    job_.traySetupDone = true;
  }
  poster_ = settings.poster;
  if (job_.leadingPages > 0 && poster_.sheetsPerPage > 0) job_.leadingPages = 0;
  return S_OK;
}

HRESULT SettingsReconciler::ReadPageTicket(PageTicketSettings* settings) {
  const std::uint64_t source = job_.ticketManager.PageTicketSource();
  // What the ticket does not say stays as the previous page had it.
  PageTicketSettings before;
  before.media = job_.pageMedia;
  before.poster = poster_;
  if (const PageTicketSettings* known = job_.pageSettings.Find(source, before)) {
    *settings = *known;
    return S_OK;
  }
  *settings = before;
  const PrintTicketDocument ticket(TicketRoot::PrintTicket, kPrivateKeywordsNamespace,
                                   job_.currentTicket.Get());
  SheetMedia& page = settings->media;
  HRESULT hr = ReadMediaSize(ticket, &page.size);
  if (!ReadOrAbsent(hr)) return hr;
  // A device that cannot say what it prints of this media: the whole sheet.
  DeviceImageableArea device(job_.ticketManager, job_.currentTicket.Get(), job_.imageableAreas);
  if (FAILED(device.ReadCurrent(page.size, &page.area))) page.area = WholeSheet(page.size);
  hr = ReadMirror(ticket, &page.mirror);
  if (!ReadOrAbsent(hr)) return hr;

  InputBinSettings bins;
  hr = ReadInputBin(ticket, &bins);
  if (!ReadOrAbsent(hr)) return hr;
  settings->firstBin = static_cast<int>(bins.binIndex[0]);
  JobInfoSettings info;
  if (SUCCEEDED(ReadJobInfo(ticket, &info)))
    settings->divideCondition = std::move(info.divideCondition);
  hr = ReadPoster(ticket, &settings->poster);
  if (!ReadOrAbsent(hr)) return hr;
  job_.pageSettings.Keep(source, std::move(before), *settings);
  return S_OK;
}

HRESULT SettingsReconciler::ReadJobSettings(const PrintTicketDocument& ticket) {
  job_.nup.rotationInverted = job_.landscapeRotation == 90;
  JobInfoSettings info;
  HRESULT hr = ReadJobInfo(ticket, &info);
  if (!ReadOrAbsent(hr)) return hr;
  job_.separateTray = info.separateTrayMode == 1;
  DuplexSettings duplex;
  hr = ReadDuplex(ticket, &duplex);
  if (!ReadOrAbsent(hr)) return hr;
  job_.firstPaper = duplex.firstPaper != 0;
  InputBinSettings bins;
  hr = ReadInputBin(ticket, &bins);
  if (!ReadOrAbsent(hr)) return hr;
  job_.secondBin = static_cast<int>(bins.binIndex[1]);
  return S_OK;
}

HRESULT SettingsReconciler::ReconcileJobRecords(const PrintTicketDocument& ticket) {
  HRESULT hr = S_OK;
  if (binding_.feature != 0 && !ReadOrAbsent(hr = ReadBinding(ticket, &binding_))) return hr;
  if (duplex_.source != 0 && !ReadOrAbsent(hr = ReadDuplex(ticket, &duplex_))) return hr;
  if (nup_.feature != 0 && !ReadOrAbsent(hr = ReadNUp(ticket, &nup_))) return hr;

  const bool booklet = binding_.binding == kBooklet || binding_.binding == kBookletReverseFlip;
  bool duplexChanged = false;
  bool bindingChanged = false;
  if (duplex_.source == -1 && binding_.feature == 0 && booklet) {
    // A booklet is printed on both sides, folded along the short edge.
    duplex_.source = 0;
    duplex_.duplex = kShortEdgeAutomatic;
    duplex_.mode = 1;
    duplexChanged = true;
  } else if (duplex_.source == 0 && booklet &&
             (duplex_.duplex == kOneSided || duplex_.duplex == kLongEdgeAutomatic ||
              duplex_.duplex == kLongEdgeManual)) {
    binding_.binding = kBindLeft;
    binding_.gutterControl = 0;
    bindingChanged = true;
  }

  if (nup_.pagesPerSheet < 2) {
    // Two-sided jobs are composed too, one page per sheet.
    nup_.pagesPerSheet = duplex_.source != -1 && duplex_.duplex != kOneSided ? 1 : 0;
  } else {
    nup_.pagesPerSheet = NUpLayout::GridPagesPerSheet(nup_.pagesPerSheet);
  }

  bool written = false;
  if (duplexChanged) {
    hr = WriteDuplex(ticket, duplex_);
    if (FAILED(hr)) return hr;
    written = true;
  }
  if (bindingChanged) {
    hr = WriteBinding(ticket, binding_);
    if (FAILED(hr)) return hr;
    written = true;
  }
  if (nup_.pagesPerSheet > 1 && scope_ == kJobScope && nup_.feature == 0) {
    // The filters after this one and the device see one page per sheet.
    hr = WriteNUp(ticket, NUpSettings{0, 1, 0, 1});
    if (FAILED(hr)) return hr;
    written = true;
  }
  return written ? WriteTicketPart() : S_OK;
}

HRESULT SettingsReconciler::WriteTicketPart() {
  ComPtr<IPartPrintTicket> part;
  HRESULT hr = job_.ticketManager.WriteTicketPart(writer_, job_.currentTicket.Get(), u"LO", &part);
  if (FAILED(hr)) return hr;
  if (scope_ == kJobScope && job_.sequence) return job_.sequence->SetPrintTicket(part.Get());
  if (scope_ == kDocumentScope && job_.document) return job_.document->SetPrintTicket(part.Get());
  return S_OK;
}

HRESULT SettingsReconciler::VisitBinding(BindingLayout& binding) {
  if (!writingBack_) {
    binding_ = binding.binding;
    duplex_ = binding.duplex;
  } else if (JobOrDocument()) {
    binding.binding = binding_;
    binding.duplex = duplex_;
  }
  return S_OK;
}

HRESULT SettingsReconciler::VisitNUp(NUpLayout& nup) {
  if (!JobOrDocument()) return S_OK;
  if (!writingBack_) {
    nup_ = nup.record;
    return S_OK;
  }
  nup.record = nup_;
  const bool booklet = binding_.feature == 0 &&
                       (binding_.binding == kBooklet || binding_.binding == kBookletReverseFlip);
  nup.bookletActive = booklet ? 0 : -1;
  if (booklet) nup.bookletDirection = 0;
  return S_OK;
}

HRESULT SettingsReconciler::VisitPoster(PosterLayout& poster) {
  if (JobOrDocument()) return S_OK;
  if (!writingBack_) {
    poster_ = poster.record;
  } else {
    poster.SetRecord(poster_);
  }
  return S_OK;
}

}  // namespace kx
