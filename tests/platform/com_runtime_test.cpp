#include <gtest/gtest.h>

#include <thread>

#include "objbase.h"

namespace {

TEST(Apartment, CallsAreCountedPerThreadAndModelsDoNotMix) {
  std::thread([] {
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    CoUninitialize();
    CoUninitialize();
    // Balanced: the thread may now choose the other model.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
  }).join();
}

TEST(CoCreateInstance, NeedsAnApartmentAndAKnownClass) {
  std::thread([] {
    void* object = reinterpret_cast<void*>(1);
    const CLSID unknownClass = kx::MakeGuid("00000000-1111-2222-3333-444444444444");
    EXPECT_EQ(CoCreateInstance(unknownClass, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    EXPECT_EQ(CoCreateInstance(unknownClass, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);
    CoUninitialize();
  }).join();
}

TEST(FileTime, CountsFromSixteenOhOne) {
  FILETIME now{};
  ASSERT_EQ(CoFileTimeNow(&now), S_OK);
  const ULONGLONG ticks = static_cast<ULONGLONG>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
  // 2020-01-01 and 2100-01-01 in FILETIME units.
  EXPECT_GT(ticks, 132223104000000000ull);
  EXPECT_LT(ticks, 157469184000000000ull);
}

}  // namespace
