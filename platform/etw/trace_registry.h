// The registered trace providers and the sessions that enable them.
//
// A logger handle carries its session id in bits 0-15, the enable level in bits 16-23 and the
// enable flags in bits 32-63, so that the enable functions can read them from the handle alone.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "kx/trace_controller.h"

namespace kx::etw {

struct EnableState {
  GUID controlGuid;
  UCHAR level;
  ULONG flags;
};

struct Session {
  USHORT id = 0;
  mutable std::mutex mutex;
  std::vector<EnableState> enabled;
  std::vector<TraceEvent> events;
  ULONG sequence = 0;
};

TRACEHANDLE MakeLoggerHandle(USHORT sessionId, UCHAR level, ULONG flags);
USHORT SessionIdOf(TRACEHANDLE loggerHandle);

struct Provider {
  TRACEHANDLE registration;
  GUID controlGuid;
  WMIDPREQUEST callback;
  PVOID context;
};

class TraceRegistry {
 public:
  // Lives until the process ends: modules still loaded at exit unregister from their
  // destructors after static objects are gone.
  static TraceRegistry& Instance();

  TRACEHANDLE AddProvider(const GUID& controlGuid, WMIDPREQUEST callback, PVOID context);
  bool RemoveProvider(TRACEHANDLE registration);
  std::vector<Provider> ProvidersOf(const GUID& controlGuid) const;

  std::shared_ptr<Session> AddSession();
  void RemoveSession(USHORT id);
  std::shared_ptr<Session> FindSession(USHORT id) const;
  // The sessions that enable controlGuid, with the state each enables it with.
  std::vector<std::pair<std::shared_ptr<Session>, EnableState>> EnablersOf(
      const GUID& controlGuid) const;

 private:
  mutable std::mutex mutex_;
  std::vector<Provider> providers_;
  std::vector<std::shared_ptr<Session>> sessions_;
  TRACEHANDLE nextRegistration_ = 1;
  USHORT nextSessionId_ = 1;
};

// Calls a provider's control callback with a control buffer carrying loggerHandle.
ULONG CallProvider(const Provider& provider, WMIDPREQUESTCODE code, TRACEHANDLE loggerHandle);

}  // namespace kx::etw
