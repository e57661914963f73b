#include <gtest/gtest.h>

#include "kx/gdiplus_control.h"

namespace {

TEST(GdiplusStartup, GivesATokenForVersionOne) {
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
  EXPECT_NE(token, 0u);
  Gdiplus::GdiplusShutdown(token);

  input.GdiplusVersion = 2;
  EXPECT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::UnsupportedGdiplusVersion);
}

TEST(GdiplusStartup, CanBeMadeToFail) {
  kx::SetGdiplusStartupFailure(Gdiplus::GenericError);
  ULONG_PTR token = 1;
  Gdiplus::GdiplusStartupInput input;
  EXPECT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::GenericError);
  EXPECT_EQ(token, 0u);
  kx::SetGdiplusStartupFailure(Gdiplus::Ok);
  EXPECT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
  Gdiplus::GdiplusShutdown(token);
}

}  // namespace
