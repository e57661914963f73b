#include "sheet_markup.h"

#include "kx/wide_format.h"

namespace kx {
namespace {

constexpr WCHAR kPageHeader[] =
    u"<?xml version=\"1.0\" encoding=\"utf-8\"?><FixedPage Width=\"%.2f\" Height=\"%.2f\" "
    u"xml:lang=\"en-US\" xmlns=\"http://schemas.microsoft.com/xps/2005/06\">";
constexpr WCHAR kOuterCanvas[] =
    u"<Canvas RenderTransform=\"%.2f,%.2f,%.2f,%.2f,%.2f,%.2f\" "
    u"Clip=\"M 0,0 L %.2f,0 L %.2f,%.2f L 0, %.2f Z\">";
constexpr WCHAR kSolidPath[] = u"<Path Stroke=\"#000000\" StrokeThickness=\"%.2f\" ";
constexpr WCHAR kDashedPath[] =
    u"<Path Stroke=\"#000000\" StrokeDashArray=\"%.2f %.2f\" StrokeThickness=\"%.2f\" ";
constexpr WCHAR kHorizontalSegment[] = u"M %.2f,%.2f H %.2f ";
constexpr WCHAR kVerticalSegment[] = u"M %.2f,%.2f V %.2f ";
constexpr WCHAR kPathData[] = u"Data=\"%s\"";

template <class... Args>
void AppendFormatted(TextBuffer& text, const WCHAR* format, Args... args) {
  text.Append(std::u16string_view(WideFormat(format, args...)));
}

}  // namespace

void AppendPageHeader(TextBuffer& text, float width, float height) {
  AppendFormatted(text, kPageHeader, double{width}, double{height});
}

void AppendOuterCanvas(TextBuffer& text, const AffineMatrix& transform, float width, float height) {
  const auto e = transform.Elements();
  AppendFormatted(text, kOuterCanvas, double{e[0]}, double{e[1]}, double{e[2]}, double{e[3]},
                  double{e[4]}, double{e[5]}, double{width}, double{width}, double{height},
                  double{height});
}

void AppendBorderPath(TextBuffer& text, const BorderLines& lines) {
  if (!lines.Drawn()) return;
  if (lines.style == 1) {
    AppendFormatted(text, kSolidPath, double{lines.thickness});
  } else {
    AppendFormatted(text, kDashedPath, double{lines.dashLength}, double{lines.dashLength},
                    double{lines.thickness});
  }
  TextBuffer data;
  for (const BorderSegment& s : lines.horizontal)
    AppendFormatted(data, kHorizontalSegment, double{s.a}, double{s.b}, double{s.c});
  for (const BorderSegment& s : lines.vertical)
    AppendFormatted(data, kVerticalSegment, double{s.a}, double{s.b}, double{s.c});
  AppendFormatted(text, kPathData, data.Text());
  text.Append(u" />");
}

}  // namespace kx
