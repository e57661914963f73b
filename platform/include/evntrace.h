// Event tracing: provider registration, control callbacks and message events.
#pragma once

#include "guiddef.h"
#include "winerror.h"

using TRACEHANDLE = ULONG64;
using PTRACEHANDLE = TRACEHANDLE*;

enum WMIDPREQUESTCODE : DWORD {
  WMI_GET_ALL_DATA = 0,
  WMI_GET_SINGLE_INSTANCE = 1,
  WMI_SET_SINGLE_INSTANCE = 2,
  WMI_SET_SINGLE_ITEM = 3,
  WMI_ENABLE_EVENTS = 4,
  WMI_DISABLE_EVENTS = 5,
  WMI_ENABLE_COLLECTION = 6,
  WMI_DISABLE_COLLECTION = 7,
  WMI_REGINFO = 8,
  WMI_EXECUTE_METHOD = 9,
};

// Control callback of a provider; its buffer on enable is a WNODE_HEADER.
using WMIDPREQUEST = ULONG(WINAPI*)(WMIDPREQUESTCODE RequestCode, PVOID RequestContext,
                                    ULONG* BufferSize, PVOID Buffer);

struct TRACE_GUID_REGISTRATION {
  LPCGUID Guid;
  HANDLE RegHandle;
};
using PTRACE_GUID_REGISTRATION = TRACE_GUID_REGISTRATION*;

// The part of the control buffer the enable functions read: HistoricalContext carries the
// logger handle.
struct WNODE_HEADER {
  ULONG BufferSize;
  ULONG ProviderId;
  ULONG64 HistoricalContext;
  ULONG64 TimeStamp;
  GUID Guid;
  ULONG ClientContext;
  ULONG Flags;
};

enum TRACE_MESSAGE_FLAGS : ULONG {
  TRACE_MESSAGE_SEQUENCE = 1,
  TRACE_MESSAGE_GUID = 2,
  TRACE_MESSAGE_COMPONENTID = 4,
  TRACE_MESSAGE_TIMESTAMP = 8,
  TRACE_MESSAGE_PERFORMANCE_TIMESTAMP = 16,
  TRACE_MESSAGE_SYSTEMINFO = 32,
};

extern "C" {
// If a controller already enables the control GUID, RequestAddress receives
// WMI_ENABLE_EVENTS before this returns.
ULONG RegisterTraceGuidsW(WMIDPREQUEST RequestAddress, PVOID RequestContext, LPCGUID ControlGuid,
                          ULONG GuidCount, PTRACE_GUID_REGISTRATION TraceGuidReg,
                          LPCWSTR MofImagePath, LPCWSTR MofResourceName,
                          PTRACEHANDLE RegistrationHandle);
ULONG UnregisterTraceGuids(TRACEHANDLE RegistrationHandle);

// Arguments after MessageNumber are (pointer, size) pairs ended by a null pointer.
ULONG TraceMessage(TRACEHANDLE LoggerHandle, ULONG MessageFlags, LPCGUID MessageGuid,
                   USHORT MessageNumber, ...);

TRACEHANDLE GetTraceLoggerHandle(PVOID Buffer);
UCHAR GetTraceEnableLevel(TRACEHANDLE TraceHandle);
ULONG GetTraceEnableFlags(TRACEHANDLE TraceHandle);
}
