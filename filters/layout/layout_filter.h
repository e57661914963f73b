// LayoutFilter: composes sheets from pages (kxlayout): N-up, booklet halves, poster tiles,
// gutter shifts, blank back sides for two-sided printing and the tray of the first sheets.
// Rewrites the job ticket so that the filters after it do not repeat the layout. Owns one
// LayoutJob; all hooks run on the part loop's thread.
#pragma once

#include "layout_job.h"
#include "xps_filter_base.h"

namespace kx {

class LayoutFilter : public XpsFilterBase {
 public:
  LayoutFilter() : job_(ticketManager_) {}

 protected:
  HRESULT ConnectStreams() override;
  HRESULT OnFixedDocumentSequence(IFixedDocumentSequence* sequence) override;
  HRESULT OnFixedDocument(IFixedDocument* document) override;
  HRESULT OnFixedPage(IFixedPage* page) override;
  HRESULT OnEndOfStream() override;

 private:
  // The manager's ticket of the scope, held by the job.
  HRESULT TakeTicket(int scope);

  LayoutJob job_;
};

}  // namespace kx
