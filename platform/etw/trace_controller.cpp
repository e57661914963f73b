#include "kx/trace_controller.h"

#include <algorithm>

#include "trace_registry.h"

namespace kx {

using etw::TraceRegistry;

TraceController::TraceController() : session_(TraceRegistry::Instance().AddSession()) {}

TraceController::~TraceController() {
  std::vector<GUID> enabled;
  {
    std::lock_guard lock(session_->mutex);
    for (const auto& state : session_->enabled) enabled.push_back(state.controlGuid);
  }
  for (const GUID& guid : enabled) DisableProvider(guid);
  TraceRegistry::Instance().RemoveSession(session_->id);
}

void TraceController::EnableProvider(const GUID& controlGuid, UCHAR level, ULONG flags) {
  {
    std::lock_guard lock(session_->mutex);
    std::erase_if(session_->enabled, [&](const auto& s) { return s.controlGuid == controlGuid; });
    session_->enabled.push_back({controlGuid, level, flags});
  }
  const TRACEHANDLE handle = etw::MakeLoggerHandle(session_->id, level, flags);
  for (const auto& provider : TraceRegistry::Instance().ProvidersOf(controlGuid))
    etw::CallProvider(provider, WMI_ENABLE_EVENTS, handle);
}

void TraceController::DisableProvider(const GUID& controlGuid) {
  {
    std::lock_guard lock(session_->mutex);
    std::erase_if(session_->enabled, [&](const auto& s) { return s.controlGuid == controlGuid; });
  }
  for (const auto& provider : TraceRegistry::Instance().ProvidersOf(controlGuid))
    etw::CallProvider(provider, WMI_DISABLE_EVENTS, 0);
}

ULONG TraceController::SendControl(const GUID& controlGuid, WMIDPREQUESTCODE code) {
  ULONG answer = ERROR_NOT_FOUND;
  for (const auto& provider : TraceRegistry::Instance().ProvidersOf(controlGuid))
    answer = etw::CallProvider(provider, code, LoggerHandle());
  return answer;
}

std::vector<TraceEvent> TraceController::Events() const {
  std::lock_guard lock(session_->mutex);
  return session_->events;
}

TRACEHANDLE TraceController::LoggerHandle() const {
  return etw::MakeLoggerHandle(session_->id, 0, 0);
}

}  // namespace kx
