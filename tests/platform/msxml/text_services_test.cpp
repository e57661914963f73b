// The wide formatter, the code pages and the GDI+ matrices.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "gdiplus.h"
#include "kx/hresult_error.h"
#include "kx/utf16.h"
#include "kx/wide_format.h"
#include "stringapiset.h"
#include "winbase.h"

namespace kx {
namespace {

TEST(WideFormat, FormatsTheConversionsTheSystemUses) {
  EXPECT_EQ(WideFormat(u"/PT_%ws_%u_%u.xml", u"LO", 5367218u, 41u), u"/PT_LO_5367218_41.xml");
  EXPECT_EQ(WideFormat(u"%.6f,%.3f", 1.0, -0.5), u"1.000000,-0.500");
  EXPECT_EQ(WideFormat(u"#%06X", 0xFF00u), u"#00FF00");
  EXPECT_EQ(WideFormat(u"%i|%5d|%-5d|%05d", -7, 42, 42, 42), u"-7|   42|42   |00042");
  EXPECT_EQ(WideFormat(u"%s/%hs/%S/%c", u"\u00E9t\u00E9", "na", "rrow", u'\u20AC'),
            u"\u00E9t\u00E9/na/rrow/\u20AC");
  EXPECT_EQ(WideFormat(u"%*.*s|%%|%lld", 4, 2, u"abc", -9000000000LL), u"  ab|%|-9000000000");
  EXPECT_THROW(WideFormat(u"%q", 1), HResultError);
  EXPECT_THROW(WideFormat(u"%", 1), HResultError);
}

// Fixed-point numbers come out exactly as the C library prints them, halfway cases included.
TEST(WideFormat, FixedPointNumbersAreTheCLibrarysDigits) {
  const double values[] = {0.0,   -0.0,   0.5,    1.5,     2.5,       0.125,  0.375, 2.675,
                           1.005, -1.005, 793.76, 1122.56, 264.58,    1e-7,   -3e-3, 123456.789,
                           1e14,  -1e15,  1e20,   1.0 / 3, 0.1 + 0.2, 99.995, 1e300};
  const char16_t* formats[] = {u"%f", u"%.0f", u"%.1f", u"%.2f", u"%.3f", u"%.6f", u"%8.2f"};
  for (const double value : values) {
    for (const char16_t* format : formats) {
      char expected[512];
      std::snprintf(expected, sizeof expected, Utf16ToUtf8(format).c_str(), value);
      EXPECT_EQ(Utf16ToUtf8(WideFormat(format, value)), expected) << Utf16ToUtf8(format);
    }
  }
}

TEST(CodePages, AnsiIsWindows1252AndUtf8IsChecked) {
  const char16_t wide[] = u"\u20AC\u00E9A\u0416";
  char narrow[8] = {};
  BOOL usedDefault = FALSE;
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, &usedDefault),
            5);
  EXPECT_EQ(std::string(narrow),
            "\x80\xE9"
            "A?");
  EXPECT_TRUE(usedDefault);

  char16_t back[8] = {};
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x80\x81\x9F", 3, back, 8), 3);
  EXPECT_EQ(std::u16string(back), u"\u20AC\u0081\u0178");

  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, 4, nullptr, 0, nullptr, nullptr), 8);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, 4, narrow, 3, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xE2\x82\xAC\xFF", 4, back, 8), 2);
  EXPECT_EQ(std::u16string(back, 2), u"\u20AC\uFFFD");
}

using namespace Gdiplus;

struct Elements {
  REAL m[6];
};

Elements ElementsOf(GpMatrix* matrix) {
  Elements e{};
  GdipGetMatrixElements(matrix, e.m);
  return e;
}

void ExpectElements(GpMatrix* matrix, std::initializer_list<REAL> expected) {
  const Elements e = ElementsOf(matrix);
  int i = 0;
  for (REAL value : expected) EXPECT_NEAR(e.m[i++], value, 1e-5) << "element " << i - 1;
}

TEST(GdiplusMatrix, AppendsAndPrependsInTheGdiplusConvention) {
  GpMatrix* matrix = nullptr;
  ASSERT_EQ(GdipCreateMatrix(&matrix), Ok);
  // Turn a quarter, then move: (1, 0) goes to (0, 1) and on to (10, 21).
  ASSERT_EQ(GdipRotateMatrix(matrix, 90, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipTranslateMatrix(matrix, 10, 20, MatrixOrderAppend), Ok);
  ExpectElements(matrix, {0, 1, -1, 0, 10, 20});
  GpPointF point{1, 0};
  ASSERT_EQ(GdipTransformMatrixPoints(matrix, &point, 1), Ok);
  EXPECT_NEAR(point.X, 10, 1e-5);
  EXPECT_NEAR(point.Y, 21, 1e-5);

  // Prepending a scale applies it first.
  ASSERT_EQ(GdipScaleMatrix(matrix, 2, 3, MatrixOrderPrepend), Ok);
  ExpectElements(matrix, {0, 2, -3, 0, 10, 20});

  GpMatrix* other = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(1, 0, 0, 1, 5, 5, &other), Ok);
  ASSERT_EQ(GdipMultiplyMatrix(matrix, other, MatrixOrderAppend), Ok);
  ExpectElements(matrix, {0, 2, -3, 0, 15, 25});
  GpMatrix* original = nullptr;
  ASSERT_EQ(GdipCloneMatrix(matrix, &original), Ok);
  ASSERT_EQ(GdipInvertMatrix(matrix), Ok);
  ASSERT_EQ(GdipMultiplyMatrix(original, matrix, MatrixOrderAppend), Ok);
  BOOL identity = FALSE;
  ASSERT_EQ(GdipIsMatrixIdentity(original, &identity), Ok);
  ExpectElements(original, {1, 0, 0, 1, 0, 0});

  ASSERT_EQ(GdipSetMatrixElements(matrix, 1, 2, 2, 4, 0, 0), Ok);
  EXPECT_EQ(GdipInvertMatrix(matrix), InvalidParameter);
  ExpectElements(matrix, {1, 2, 2, 4, 0, 0});
  for (GpMatrix* m : {matrix, other, original}) EXPECT_EQ(GdipDeleteMatrix(m), Ok);
  EXPECT_EQ(GdipTranslateMatrix(nullptr, 1, 1, MatrixOrderAppend), InvalidParameter);
}

}  // namespace
}  // namespace kx
