#include "part_pump.h"

#include "kx/com_ptr.h"

namespace kx::xps {

HRESULT SendPart(IXpsDocumentConsumer* consumer, IUnknown* part) {
  ComPtr<IUnknown> unknown(part);
  if (ComPtr<IXpsDocument> document; SUCCEEDED(unknown.As(document)))
    return consumer->SendXpsDocument(document.Get());
  if (ComPtr<IFixedDocumentSequence> sequence; SUCCEEDED(unknown.As(sequence)))
    return consumer->SendFixedDocumentSequence(sequence.Get());
  if (ComPtr<IFixedDocument> document; SUCCEEDED(unknown.As(document)))
    return consumer->SendFixedDocument(document.Get());
  if (ComPtr<IFixedPage> page; SUCCEEDED(unknown.As(page)))
    return consumer->SendFixedPage(page.Get());
  return consumer->SendXpsUnknown(part);
}

HRESULT PumpParts(IXpsDocumentProvider* provider, IXpsDocumentConsumer* consumer) {
  for (;;) {
    ComPtr<IUnknown> part;
    HRESULT hr = provider->GetXpsPart(part.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    if (!part) break;
    hr = SendPart(consumer, part.Get());
    if (FAILED(hr)) return hr;
  }
  return consumer->CloseSender();
}

}  // namespace kx::xps
