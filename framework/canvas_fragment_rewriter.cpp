#include "canvas_fragment_rewriter.h"

#include <utility>
#include <vector>

#include "format_clip_rectangle.h"
#include "kx/hresult_error.h"
#include "kx/unique_bstr.h"
#include "page_element.h"

namespace kx {
namespace {

constexpr std::u16string_view kCanvasResources = u"Canvas.Resources";

std::u16string_view CanvasName(std::u16string_view name) {
  return name == kFixedPageResources ? kCanvasResources : name;
}

// The clip from the placement's corners, or else the whole page.
UniqueBstr ClipPath(CanvasPlacement& placement, const PageSize& size) {
  Gdiplus::PointF first{};
  Gdiplus::PointF second{};
  UniqueBstr clip;
  if (SUCCEEDED(placement.GetClipCorners(&first, &second)) &&
      SUCCEEDED(FormatClipRectangle(first, second, clip.ResetAndGetAddressOf())))
    return clip;
  TextBuffer fallback;
  fallback.Format(u"M 0,0 L %.2f,0 L %.2f,%.2f L 0,%.2f Z", size.width, size.width, size.height,
                  size.height);
  ThrowOnFailure(fallback.CopyTo(clip.ResetAndGetAddressOf()));
  return clip;
}

}  // namespace

HRESULT CanvasFragmentRewriter::WritePageCanvas(TextBuffer& out, ISAXAttributes* attributes) {
  PageSize size;
  std::vector<std::pair<std::u16string_view, std::u16string_view>> declarations;
  int count = 0;
  if (attributes && FAILED(attributes->getLength(&count))) count = 0;
  for (int i = 0; i < count; ++i) {
    std::u16string_view name;
    std::u16string_view value;
    if (!ElementCopyRules::ReadAttribute(attributes, i, name, value)) continue;
    size.Read(name, value);
    if (name.starts_with(u"xmlns:")) declarations.emplace_back(name, value);
  }
  UniqueBstr transform;
  const HRESULT hr = FormatMatrix(&placement_, transform.ResetAndGetAddressOf());
  if (FAILED(hr)) return hr;
  const UniqueBstr clip = ClipPath(placement_, size);
  TextBuffer canvas;
  canvas.Format(u"<Canvas RenderTransform=\"%s\" Clip=\"%s\"", transform.Get(), clip.Get());
  out.Append(canvas.View());
  for (const auto& [name, value] : declarations)
    ElementCopyRules::AppendAttribute(out, name, value);
  out.Append(u'>');
  return S_OK;
}

HRESULT CanvasFragmentRewriter::startElement(const WCHAR*, int, const WCHAR*, int,
                                             const WCHAR* qName, int qNameLength,
                                             ISAXAttributes* attributes) {
  return EmitBuilt([&](TextBuffer& out) {
    const std::u16string_view written = NameOf(qName, qNameLength);
    const std::u16string_view name = CanvasName(written);
    if (written == kFixedPage) {
      rules_.BeginElement(out, name);
      return WritePageCanvas(out, attributes);
    }
    rules_.OpenStartTag(out, name);
    ElementCopyRules::AppendAttributes(out, attributes);
    return S_OK;
  });
}

HRESULT CanvasFragmentRewriter::endElement(const WCHAR*, int, const WCHAR*, int, const WCHAR* qName,
                                           int qNameLength) {
  return EmitBuilt([&](TextBuffer& out) {
    const std::u16string_view written = NameOf(qName, qNameLength);
    if (written == kFixedPage) {
      out.Append(u"</Canvas>");
    } else {
      rules_.EndElement(out, CanvasName(written));
    }
    return S_OK;
  });
}

}  // namespace kx
