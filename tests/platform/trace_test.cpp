#include <gtest/gtest.h>

#include <cstring>

#include "kx/trace_controller.h"

namespace {

constexpr GUID kControl = kx::MakeGuid("11111111-2222-3333-4444-555555555555");
constexpr GUID kMessage = kx::MakeGuid("66666666-7777-8888-9999-AAAAAAAAAAAA");

// A provider that keeps what its control callback was told.
struct Provider {
  TRACEHANDLE registration = 0;
  TRACEHANDLE logger = 0;
  UCHAR level = 0;
  ULONG flags = 0;
  int calls = 0;

  static ULONG WINAPI Callback(WMIDPREQUESTCODE code, PVOID context, ULONG* size, PVOID buffer) {
    auto* self = static_cast<Provider*>(context);
    ++self->calls;
    *size = 0;
    if (code == WMI_ENABLE_EVENTS) {
      self->logger = GetTraceLoggerHandle(buffer);
      self->level = GetTraceEnableLevel(self->logger);
      self->flags = GetTraceEnableFlags(self->logger);
      return ERROR_SUCCESS;
    }
    if (code == WMI_DISABLE_EVENTS) {
      self->logger = 0;
      self->flags = 0;
      return ERROR_SUCCESS;
    }
    return ERROR_INVALID_PARAMETER;
  }

  ULONG Register() {
    TRACE_GUID_REGISTRATION guids{&kControl, nullptr};
    return RegisterTraceGuidsW(Callback, this, &kControl, 1, &guids, nullptr, nullptr,
                               &registration);
  }
};

TEST(Trace, AControllerEnablesARegisteredProviderAndCollectsItsMessages) {
  kx::TraceController controller;
  Provider provider;
  ASSERT_EQ(provider.Register(), ERROR_SUCCESS);
  EXPECT_EQ(provider.calls, 0);

  controller.EnableProvider(kControl, 5, 0x14);
  EXPECT_EQ(provider.level, 5);
  EXPECT_EQ(provider.flags, 0x14u);

  const int argument = 42;
  ASSERT_EQ(TraceMessage(provider.logger, 43, &kMessage, 10, &argument, sizeof argument, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(TraceMessage(provider.logger, 43, &kMessage, 11, nullptr), ERROR_SUCCESS);
  const auto events = controller.Events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].messageGuid, kMessage);
  EXPECT_EQ(events[0].messageNumber, 10);
  EXPECT_EQ(events[0].messageFlags, 43u);
  EXPECT_EQ(events[0].sequence, 1u);
  ASSERT_EQ(events[0].data.size(), sizeof argument);
  int carried;
  std::memcpy(&carried, events[0].data.data(), sizeof carried);
  EXPECT_EQ(carried, 42);
  EXPECT_EQ(events[1].sequence, 2u);

  controller.DisableProvider(kControl);
  EXPECT_EQ(provider.flags, 0u);
  EXPECT_EQ(UnregisterTraceGuids(provider.registration), ERROR_SUCCESS);
  EXPECT_EQ(UnregisterTraceGuids(provider.registration), ERROR_INVALID_HANDLE);
}

TEST(Trace, AProviderThatRegistersWhileEnabledIsEnabledAtOnce) {
  kx::TraceController controller;
  controller.EnableProvider(kControl, 4, 0x4);
  Provider provider;
  ASSERT_EQ(provider.Register(), ERROR_SUCCESS);
  EXPECT_EQ(provider.flags, 0x4u);
  UnregisterTraceGuids(provider.registration);
}

TEST(Trace, ControlRequestsReachTheProvider) {
  kx::TraceController controller;
  Provider provider;
  provider.Register();
  EXPECT_EQ(controller.SendControl(kControl, WMI_GET_ALL_DATA),
            static_cast<ULONG>(ERROR_INVALID_PARAMETER));
  UnregisterTraceGuids(provider.registration);
  EXPECT_EQ(controller.SendControl(kControl, WMI_GET_ALL_DATA),
            static_cast<ULONG>(ERROR_NOT_FOUND));
}

TEST(Trace, MessagesToAnEndedSessionAreRefused) {
  TRACEHANDLE logger;
  {
    kx::TraceController controller;
    logger = controller.LoggerHandle();
  }
  EXPECT_EQ(TraceMessage(logger, 43, &kMessage, 10, nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(TraceMessage(0, 43, &kMessage, 10, nullptr), ERROR_INVALID_HANDLE);
}

}  // namespace
