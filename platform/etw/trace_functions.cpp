// The provider side of event tracing.
#include <cstdarg>
#include <cstring>

#include "objbase.h"
#include "trace_registry.h"
#include "winbase.h"

using kx::etw::TraceRegistry;

extern "C" {

ULONG RegisterTraceGuidsW(WMIDPREQUEST RequestAddress, PVOID RequestContext, LPCGUID ControlGuid,
                          ULONG GuidCount, PTRACE_GUID_REGISTRATION TraceGuidReg, LPCWSTR, LPCWSTR,
                          PTRACEHANDLE RegistrationHandle) {
  if (!RequestAddress || !ControlGuid || !RegistrationHandle || (GuidCount && !TraceGuidReg))
    return ERROR_INVALID_PARAMETER;
  TraceRegistry& registry = TraceRegistry::Instance();
  *RegistrationHandle = registry.AddProvider(*ControlGuid, RequestAddress, RequestContext);
  // A session that already enables this provider enables it now, as a real controller would.
  const kx::etw::Provider provider{*RegistrationHandle, *ControlGuid, RequestAddress,
                                   RequestContext};
  for (const auto& [session, state] : registry.EnablersOf(*ControlGuid))
    kx::etw::CallProvider(provider, WMI_ENABLE_EVENTS,
                          kx::etw::MakeLoggerHandle(session->id, state.level, state.flags));
  return ERROR_SUCCESS;
}

ULONG UnregisterTraceGuids(TRACEHANDLE RegistrationHandle) {
  return TraceRegistry::Instance().RemoveProvider(RegistrationHandle) ? ERROR_SUCCESS
                                                                      : ERROR_INVALID_HANDLE;
}

ULONG TraceMessage(TRACEHANDLE LoggerHandle, ULONG MessageFlags, LPCGUID MessageGuid,
                   USHORT MessageNumber, ...) {
  auto session = TraceRegistry::Instance().FindSession(kx::etw::SessionIdOf(LoggerHandle));
  if (!session) return ERROR_INVALID_HANDLE;

  kx::TraceEvent event{};
  event.messageGuid = MessageGuid ? *MessageGuid : GUID_NULL;
  event.messageNumber = MessageNumber;
  event.messageFlags = MessageFlags;
  FILETIME now{};
  CoFileTimeNow(&now);
  event.timestamp = static_cast<ULONG64>(now.dwHighDateTime) << 32 | now.dwLowDateTime;

  va_list arguments;
  va_start(arguments, MessageNumber);
  while (const void* data = va_arg(arguments, const void*)) {
    const auto size = va_arg(arguments, std::size_t);
    const auto* bytes = static_cast<const BYTE*>(data);
    event.data.insert(event.data.end(), bytes, bytes + size);
  }
  va_end(arguments);

  std::lock_guard lock(session->mutex);
  event.sequence = ++session->sequence;
  session->events.push_back(std::move(event));
  return ERROR_SUCCESS;
}

TRACEHANDLE GetTraceLoggerHandle(PVOID Buffer) {
  if (!Buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return static_cast<const WNODE_HEADER*>(Buffer)->HistoricalContext;
}

UCHAR GetTraceEnableLevel(TRACEHANDLE TraceHandle) { return static_cast<UCHAR>(TraceHandle >> 16); }

ULONG GetTraceEnableFlags(TRACEHANDLE TraceHandle) { return static_cast<ULONG>(TraceHandle >> 32); }

}  // extern "C"
