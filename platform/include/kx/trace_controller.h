// An in-process trace session: enables providers by control GUID and collects their events.
//
// One controller is one session. Providers registered later are enabled as they register.
// Thread-safe; events are appended from whichever thread emits them.
#pragma once

#include <memory>
#include <vector>

#include "evntrace.h"

namespace kx {

namespace etw {
struct Session;
}

struct TraceEvent {
  GUID messageGuid;
  USHORT messageNumber;
  ULONG messageFlags;
  ULONG sequence;          // per session, from 1
  ULONG64 timestamp;       // FILETIME units
  std::vector<BYTE> data;  // the message arguments, concatenated
};

class TraceController {
 public:
  TraceController();
  ~TraceController();
  TraceController(const TraceController&) = delete;
  TraceController& operator=(const TraceController&) = delete;

  // Enables every provider of controlGuid, now and as it registers.
  void EnableProvider(const GUID& controlGuid, UCHAR level, ULONG flags);
  void DisableProvider(const GUID& controlGuid);

  // Sends a raw control request to the registered providers of controlGuid; returns the last
  // callback's answer, or ERROR_NOT_FOUND when none is registered.
  ULONG SendControl(const GUID& controlGuid, WMIDPREQUESTCODE code);

  std::vector<TraceEvent> Events() const;
  TRACEHANDLE LoggerHandle() const;

 private:
  std::shared_ptr<etw::Session> session_;
};

}  // namespace kx
