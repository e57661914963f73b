// The markup the layout filter writes itself: the start of a sheet with its gutter Canvas, the
// border lines at its end, and a blank side.
#include <gtest/gtest.h>

#include "empty_page.h"
#include "layout_fakes.h"
#include "open_sheet.h"

namespace kx {
namespace {

constexpr char kHeader[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><FixedPage Width=\"%s\" Height=\"%s\" "
    "xml:lang=\"en-US\" xmlns=\"http://schemas.microsoft.com/xps/2005/06\">";

std::string Header(const char* width, const char* height) {
  char text[256];
  std::snprintf(text, sizeof text, kHeader, width, height);
  return text;
}

const float kA4Width = 210000 / 264.58f;
const float kA4Height = 297000 / 264.58f;

TEST(SheetOutputTest, ASheetWithAGutterIsShiftedAndClippedByAnOuterCanvas) {
  auto consumer = MakeComObject<test::LayoutConsumer>();
  SheetPartNames names;
  AffineMatrix gutter;
  gutter.Translate(10000 / 264.58f, 0);
  OpenSheet sheet;
  ASSERT_EQ(OpenNewSheet(consumer.Get(), kA4Height, kA4Width, gutter, names, &sheet), S_OK);
  sheet.borderLines = {
      0.3023660f, 6.387482f, {{18.90f, 561.27f, 774.81f}}, {{396.86f, 18.90f, 1103.64f}}, 1};
  ASSERT_EQ(CloseSheet(consumer.Get(), sheet), S_OK);

  const test::TestPage& page = *consumer->pages.begin()->second.Get();
  EXPECT_EQ(page.output->bytes,
            Header("1122.53", "793.71") +
                "<Canvas RenderTransform=\"1.00,0.00,0.00,1.00,37.80,0.00\" "
                "Clip=\"M 0,0 L 1122.53,0 L 1122.53,793.71 L 0, 793.71 Z\">"
                "<Path Stroke=\"#000000\" StrokeThickness=\"0.30\" Data=\"M 18.90,561.27 H "
                "774.81 M 396.86,18.90 V 1103.64 \" /></Canvas></FixedPage>");
  EXPECT_TRUE(page.output->closed);
  EXPECT_FALSE(sheet.stream);

  // Dashed lines, and a sheet without a gutter has no outer Canvas.
  ASSERT_EQ(OpenNewSheet(consumer.Get(), kA4Width, kA4Height, AffineMatrix(), names, &sheet), S_OK);
  sheet.borderLines = {0.3023660f, 6.387482f, {}, {{396.86f, 18.90f, 1103.64f}}, 2};
  ASSERT_EQ(CloseSheet(consumer.Get(), sheet), S_OK);
  EXPECT_EQ(consumer->Page(consumer->pages.rbegin()->first)->output->bytes,
            Header("793.71", "1122.53") +
                "<Path Stroke=\"#000000\" StrokeDashArray=\"6.39 6.39\" StrokeThickness=\"0.30\" "
                "Data=\"M 396.86,18.90 V 1103.64 \" /></FixedPage>");
}

TEST(SheetOutputTest, ABlankSideIsAnEmptyPageOfTheSheetSize) {
  auto consumer = MakeComObject<test::LayoutConsumer>();
  SheetPartNames names;
  ComPtr<IFixedPage> page;
  ASSERT_EQ(WriteEmptyPage(consumer.Get(), kA4Width, kA4Height, names, &page), S_OK);
  ASSERT_EQ(consumer->pages.size(), 1u);
  const auto& [name, created] = *consumer->pages.begin();
  EXPECT_TRUE(name.starts_with("/LO_Empty_") && name.ends_with(".xml")) << name;
  EXPECT_EQ(created->output->bytes, Header("793.71", "1122.53") + "</FixedPage>");
  EXPECT_TRUE(created->output->closed);

  consumer->newPageFailure = E_ACCESSDENIED;
  EXPECT_EQ(WriteEmptyPage(consumer.Get(), kA4Width, kA4Height, names, &page), E_ACCESSDENIED);
}

TEST(SheetOutputTest, PartNamesOfAJobNeverRepeat) {
  SheetPartNames names;
  const std::u16string first = names.Sheet();
  const std::u16string second = names.Empty();
  const std::u16string third = names.Sheet();
  EXPECT_NE(first, third);
  const auto number = [](const std::u16string& name) {
    return std::stol(std::string(name.begin() + name.find(u'_', 4) + 1, name.end() - 4));
  };
  EXPECT_EQ(number(second), number(first) + 1);
  EXPECT_EQ(number(third), number(first) + 2);
}

}  // namespace
}  // namespace kx
