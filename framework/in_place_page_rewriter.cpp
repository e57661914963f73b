#include "in_place_page_rewriter.h"

#include "kx/hresult_error.h"
#include "kx/unique_bstr.h"
#include "page_element.h"

namespace kx {

HRESULT InPlacePageRewriter::startDocument() {
  return EmitBuilt([](TextBuffer& out) {
    out.Append(u"<?xml version=\"1.0\" encoding=\"utf-8\"?>");
    return S_OK;
  });
}

HRESULT InPlacePageRewriter::OpenPageCanvas(TextBuffer& out, ISAXAttributes* attributes) {
  PageSize size;
  int count = 0;
  if (attributes && FAILED(attributes->getLength(&count))) count = 0;
  for (int i = 0; i < count; ++i) {
    std::u16string_view name;
    std::u16string_view value;
    if (ElementCopyRules::ReadAttribute(attributes, i, name, value)) size.Read(name, value);
  }
  UniqueBstr transform;
  const HRESULT hr = FormatMatrix(&placement_, transform.ResetAndGetAddressOf());
  canvasOpen_ = SUCCEEDED(hr);
  if (FAILED(hr)) return hr;
  rules_.CloseStartTag(out);
  TextBuffer canvas;
  canvas.Format(u"<Canvas RenderTransform=\"%s\" Clip=\"M 0,0 L %.2f,0 L %.2f,%.2f L 0, %.2f Z\">",
                transform.Get(), size.width, size.width, size.height, size.height);
  out.Append(canvas.View());
  return S_OK;
}

HRESULT InPlacePageRewriter::startElement(const WCHAR*, int, const WCHAR*, int, const WCHAR* qName,
                                          int qNameLength, ISAXAttributes* attributes) {
  return EmitBuilt([&](TextBuffer& out) {
    const std::u16string_view name = NameOf(qName, qNameLength);
    rules_.OpenStartTag(out, name);
    ElementCopyRules::AppendAttributes(out, attributes);
    return name == kFixedPage ? OpenPageCanvas(out, attributes) : S_OK;
  });
}

HRESULT InPlacePageRewriter::endElement(const WCHAR*, int, const WCHAR*, int, const WCHAR* qName,
                                        int qNameLength) {
  return EmitBuilt([&](TextBuffer& out) {
    const std::u16string_view name = NameOf(qName, qNameLength);
    if (name == kFixedPage && canvasOpen_) {
      out.Append(u"</Canvas>");
      canvasOpen_ = false;
    }
    rules_.EndElement(out, name);
    return S_OK;
  });
}

}  // namespace kx
