// XpsFilterBase: the XPS part loop of the filters that read and write XPS.
//
// StartOperation pulls parts from the reader one at a time and hands each XPS document,
// sequence, document and page to its hook; every other part goes straight to the writer.
// The default hooks keep the job and document tickets up to date and forward the part
// unchanged. All hooks run on the StartOperation thread.
#pragma once

#include "filter_base.h"
#include "gdiplus_init.h"

namespace kx {

class XpsFilterBase : public FilterBase {
 public:
  HRESULT STDMETHODCALLTYPE StartOperation() override;
  ~XpsFilterBase() override;

 protected:
  XpsFilterBase();

  virtual HRESULT OnFixedPage(IFixedPage* page);
  virtual HRESULT OnFixedDocument(IFixedDocument* document);
  virtual HRESULT OnFixedDocumentSequence(IFixedDocumentSequence* sequence);
  virtual HRESULT OnXpsDocument(IXpsDocument* document);
  // After the last part: lets a filter send what it still holds.
  virtual HRESULT OnEndOfStream();
  // Obtains the reader and writer from the communicator.
  virtual HRESULT ConnectStreams();

  ComPtr<IXpsDocumentProvider> reader_;
  ComPtr<IXpsDocumentConsumer> writer_;
  UINT pageInDocument_ = 0;
  UINT documentCount_ = 0;
  UINT pageCount_ = 0;
  GdiplusInit gdiplus_;
  BOOL handlersEnabled_;

 private:
  // Hands one part to its hook, or to SendXpsUnknown when it is no XPS structure part.
  HRESULT DispatchPart(IUnknown* part);
};

}  // namespace kx
