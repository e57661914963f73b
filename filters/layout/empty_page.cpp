#include "empty_page.h"

#include "kx/hresult_error.h"
#include "sheet_markup.h"
#include "write_chunked.h"

namespace kx {

HRESULT WriteEmptyPage(IXpsDocumentConsumer* writer, float width, float height,
                       SheetPartNames& names, ComPtr<IFixedPage>* page) {
  if (!writer || !page) return E_POINTER;
  return HResultBoundary([&] {
    const std::u16string name = names.Empty();
    ComPtr<IFixedPage> created;
    ComPtr<IPrintWriteStream> stream;
    HRESULT hr =
        writer->GetNewEmptyPart(name.c_str(), IID_IFixedPage, created.ReleaseAndGetVoidAddressOf(),
                                stream.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    if (!created || !stream) return E_FAIL;
    TextBuffer text;
    AppendPageHeader(text, width, height);
    text.Append(kPageEnd);
    hr = WriteTextAsUtf8(&text, stream.Get());
    stream->Close();
    if (SUCCEEDED(hr)) *page = std::move(created);
    return hr;
  });
}

}  // namespace kx
