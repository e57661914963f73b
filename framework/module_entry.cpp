// The entry points every module shares: DllMain with trace registration, DllGetClassObject
// and DllCanUnloadNow.
#include <atomic>

#include "evntrace.h"
#include "filter_base.h"
#include "kx/hresult_error.h"
#include "module_identity.h"
#include "module_state.h"

#define KX_EXPORT __attribute__((visibility("default")))

namespace kx {
namespace {

// Message numbers of the module's two trace events.
constexpr USHORT kLoadedEvent = 10;
constexpr USHORT kUnloadedEvent = 11;
// The only flag bit that turns the two events on.
constexpr ULONG kModuleEventsFlag = 0x4;
constexpr ULONG kMessageFlags = TRACE_MESSAGE_SEQUENCE | TRACE_MESSAGE_GUID |
                                TRACE_MESSAGE_TIMESTAMP | TRACE_MESSAGE_SYSTEMINFO;

// The enable state is written by the control callback on any thread and read without a lock.
struct TraceControlBlock {
  TraceControlBlock* next;
  TRACEHANDLE registrationHandle;
  std::atomic<TRACEHANDLE> loggerHandle;
  std::atomic<UCHAR> level;
  std::atomic<ULONG> flags;
  const GUID* controlGuid;
};

// Constant-initialised: DllMain may run before the module's dynamic initialisers.
constinit TraceControlBlock traceControl{};
constinit TraceControlBlock* traceControlList = nullptr;

ULONG WINAPI TraceControlCallback(WMIDPREQUESTCODE requestCode, PVOID requestContext,
                                  ULONG* bufferSize, PVOID buffer) {
  auto* block = static_cast<TraceControlBlock*>(requestContext);
  *bufferSize = 0;
  switch (requestCode) {
    case WMI_ENABLE_EVENTS: {
      const TRACEHANDLE logger = GetTraceLoggerHandle(buffer);
      block->loggerHandle = logger;
      block->level = GetTraceEnableLevel(logger);
      block->flags = GetTraceEnableFlags(logger);
      break;
    }
    case WMI_DISABLE_EVENTS:
      block->loggerHandle = 0;
      block->level = 0;
      block->flags = 0;
      break;
    default:
      return ERROR_INVALID_PARAMETER;
  }
  return ERROR_SUCCESS;
}

void EmitModuleEvent(USHORT number) {
  if (!(traceControl.flags.load(std::memory_order_relaxed) & kModuleEventsFlag)) return;
  TraceMessage(traceControl.loggerHandle.load(std::memory_order_relaxed), kMessageFlags,
               &kModuleIdentity.traceMessageGuid, number, nullptr);
}

void ProcessAttach(HINSTANCE instance) {
  traceControl.next = nullptr;
  traceControl.registrationHandle = 0;
  traceControl.loggerHandle = 0;
  traceControl.level = 0;
  traceControl.flags = 0;
  traceControl.controlGuid = &kModuleIdentity.traceControlGuid;
  traceControlList = &traceControl;

  TRACE_GUID_REGISTRATION registration{traceControl.controlGuid, nullptr};
  // A failed registration leaves the module silent, nothing more.
  RegisterTraceGuidsW(TraceControlCallback, &traceControl, traceControl.controlGuid, 1,
                      &registration, nullptr, nullptr, &traceControl.registrationHandle);
  EmitModuleEvent(kLoadedEvent);
  TheModule().instance = instance;
}

void ProcessDetach() {
  EmitModuleEvent(kUnloadedEvent);
  for (TraceControlBlock* block = traceControlList; block; block = block->next) {
    if (block->registrationHandle) {
      UnregisterTraceGuids(block->registrationHandle);
      block->registrationHandle = 0;
    }
  }
  traceControlList = nullptr;
}

}  // namespace
}  // namespace kx

extern "C" BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID) {
  if (fdwReason == DLL_PROCESS_ATTACH) kx::ProcessAttach(hinstDLL);
  if (fdwReason == DLL_PROCESS_DETACH) kx::ProcessDetach();
  return TRUE;
}

extern "C" KX_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!IsEqualCLSID(rclsid, kx::kModuleIdentity.classId)) return CLASS_E_CLASSNOTAVAILABLE;

  kx::FilterBase* filter = nullptr;
  const HRESULT created = kx::HResultBoundary([&] {
    filter = kx::CreateModuleFilter();
    return S_OK;
  });
  if (FAILED(created)) return created;

  // The construction reference goes away either way; a refused interface destroys the object.
  const HRESULT hr = filter->QueryInterface(riid, ppv);
  filter->Release();
  return hr;
}

extern "C" KX_EXPORT HRESULT DllCanUnloadNow() {
  LONG volatile& live = kx::TheModule().liveObjects;
  return InterlockedCompareExchange(&live, 0, 0) == 0 ? S_OK : S_FALSE;
}
