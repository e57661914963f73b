// ComApartmentTest: each test runs inside a single-threaded COM apartment, as the filters do.
#pragma once

#include <gtest/gtest.h>

#include "objbase.h"

namespace kx::test {

class ComApartmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override { CoUninitialize(); }
};

}  // namespace kx::test
