// SettingsReconciler: reads the settings of one scope's ticket (job, document or page) into the
// layout job and reconciles them: a booklet forces short-edge two-sided printing (or is
// cancelled by a long-edge one), pages per sheet is settled, tray separation is set up, and a
// changed job or document ticket is written as a new "LO" ticket part, with pages per sheet 1
// for the filters after this one. One instance per hook call.
#pragma once

#include "binding_settings.h"
#include "duplex_settings.h"
#include "layout_component.h"
#include "layout_job.h"
#include "nup_settings.h"
#include "page_ticket_settings.h"
#include "poster_settings.h"

namespace kx {

class SettingsReconciler final : public LayoutVisitor {
 public:
  SettingsReconciler(LayoutJob& job, int scope, IXpsDocumentConsumer* writer)
      : job_(job), scope_(scope), writer_(writer) {}

  // Does nothing without a current ticket.
  HRESULT Reconcile();

  HRESULT VisitPoster(PosterLayout& poster) override;
  HRESULT VisitNUp(NUpLayout& nup) override;
  HRESULT VisitBinding(BindingLayout& binding) override;

 private:
  HRESULT ReconcileJobOrDocument();
  HRESULT ReconcilePage();
  // The page ticket's settings, read or as the last page with the same ticket had them.
  HRESULT ReadPageTicket(PageTicketSettings* settings);
  HRESULT ReadJobSettings(const PrintTicketDocument& ticket);
  HRESULT ReconcileJobRecords(const PrintTicketDocument& ticket);
  HRESULT WriteTicketPart();
  bool JobOrDocument() const { return scope_ != kPageScope; }

  LayoutJob& job_;
  const int scope_;
  IXpsDocumentConsumer* const writer_;
  bool writingBack_ = false;
  BindingSettings binding_{-1, kBindLeft, 0, 0, 0, 1, 1, 0, 10};
  DuplexSettings duplex_{-1, 0, 0, 0, 0};
  NUpSettings nup_{-1, 0, 0, 1};
  PosterSettings poster_{};
};

}  // namespace kx
