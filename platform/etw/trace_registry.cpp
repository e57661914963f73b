#include "trace_registry.h"

#include <algorithm>

namespace kx::etw {

TRACEHANDLE MakeLoggerHandle(USHORT sessionId, UCHAR level, ULONG flags) {
  return static_cast<TRACEHANDLE>(flags) << 32 | static_cast<TRACEHANDLE>(level) << 16 | sessionId;
}

USHORT SessionIdOf(TRACEHANDLE loggerHandle) { return static_cast<USHORT>(loggerHandle & 0xFFFF); }

TraceRegistry& TraceRegistry::Instance() {
  static auto* registry = new TraceRegistry;
  return *registry;
}

TRACEHANDLE TraceRegistry::AddProvider(const GUID& controlGuid, WMIDPREQUEST callback,
                                       PVOID context) {
  std::lock_guard lock(mutex_);
  const TRACEHANDLE registration = nextRegistration_++;
  providers_.push_back({registration, controlGuid, callback, context});
  return registration;
}

bool TraceRegistry::RemoveProvider(TRACEHANDLE registration) {
  std::lock_guard lock(mutex_);
  const auto found = std::find_if(providers_.begin(), providers_.end(), [&](const Provider& p) {
    return p.registration == registration;
  });
  if (found == providers_.end()) return false;
  providers_.erase(found);
  return true;
}

std::vector<Provider> TraceRegistry::ProvidersOf(const GUID& controlGuid) const {
  std::lock_guard lock(mutex_);
  std::vector<Provider> result;
  for (const Provider& provider : providers_)
    if (provider.controlGuid == controlGuid) result.push_back(provider);
  return result;
}

std::shared_ptr<Session> TraceRegistry::AddSession() {
  std::lock_guard lock(mutex_);
  auto session = std::make_shared<Session>();
  // Ids are never 0, so a logger handle of 0 names no session.
  do {
    session->id = nextSessionId_++;
  } while (session->id == 0 ||
           std::any_of(sessions_.begin(), sessions_.end(),
                       [&](const auto& other) { return other->id == session->id; }));
  sessions_.push_back(session);
  return session;
}

void TraceRegistry::RemoveSession(USHORT id) {
  std::lock_guard lock(mutex_);
  std::erase_if(sessions_, [&](const auto& session) { return session->id == id; });
}

std::shared_ptr<Session> TraceRegistry::FindSession(USHORT id) const {
  std::lock_guard lock(mutex_);
  for (const auto& session : sessions_)
    if (session->id == id) return session;
  return nullptr;
}

std::vector<std::pair<std::shared_ptr<Session>, EnableState>> TraceRegistry::EnablersOf(
    const GUID& controlGuid) const {
  std::lock_guard lock(mutex_);
  std::vector<std::pair<std::shared_ptr<Session>, EnableState>> result;
  for (const auto& session : sessions_) {
    std::lock_guard sessionLock(session->mutex);
    for (const EnableState& state : session->enabled)
      if (state.controlGuid == controlGuid) result.emplace_back(session, state);
  }
  return result;
}

ULONG CallProvider(const Provider& provider, WMIDPREQUESTCODE code, TRACEHANDLE loggerHandle) {
  WNODE_HEADER header{};
  header.BufferSize = sizeof header;
  header.HistoricalContext = loggerHandle;
  header.Guid = provider.controlGuid;
  ULONG size = sizeof header;
  return provider.callback(code, provider.context, &size, &header);
}

}  // namespace kx::etw
