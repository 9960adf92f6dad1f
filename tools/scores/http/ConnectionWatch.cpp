// The reaper wakes a few times a second; shutdown(2) wakes the HTTP library, which then
// closes the connection as its own.
#include "scores/http/ConnectionWatch.h"

#include <sys/socket.h>

#include "scores/http/RequestLog.h"

namespace brinecast::scores {

ConnectionWatch::ConnectionWatch(WatchLimits limits)
    : limits_(limits), reaper_([this] { Reap(); }) {}

ConnectionWatch::~ConnectionWatch() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stop_.notify_all();
  reaper_.join();
}

bool ConnectionWatch::Admit(const std::string& key, bool exempt) {
  std::lock_guard lock(mutex_);
  if (exempt) return true;
  const auto found = perKey_.find(key);
  if (found == perKey_.end() || found->second < limits_.perKey) return true;
  ++refused_[key];
  return false;
}

void ConnectionWatch::Opened(const void* connection, int socket, const std::string& key) {
  std::lock_guard lock(mutex_);
  open_[connection] = {socket, key, Clock::now()};
  ++perKey_[key];
}

std::optional<ConnectionWatch::Cut> ConnectionWatch::Closed(const void* connection) {
  std::optional<Cut> untold = TakeCut(connection);
  std::lock_guard lock(mutex_);
  const auto found = open_.find(connection);
  if (found == open_.end()) return untold;
  const auto count = perKey_.find(found->second.key);
  if (count != perKey_.end() && --count->second <= 0) perKey_.erase(count);
  open_.erase(found);
  return untold;
}

std::optional<ConnectionWatch::Cut> ConnectionWatch::TakeCut(const void* connection) {
  std::lock_guard lock(mutex_);
  const auto found = open_.find(connection);
  if (found == open_.end() || !found->second.cut) return std::nullopt;
  const Entry& entry = found->second;
  Cut cut{std::string(entry.cut) + " not done within " + std::to_string(entry.allowed.count()) +
              " ms" + (entry.pressed ? " (server under pressure)" : ""),
          std::chrono::duration<double, std::milli>(Clock::now() - entry.start).count()};
  found->second.cut = nullptr;
  return cut;
}

void ConnectionWatch::HeadersDone(const void* connection) {
  std::lock_guard lock(mutex_);
  const auto found = open_.find(connection);
  if (found != open_.end()) found->second.headersDone = true;
}

void ConnectionWatch::RequestDone(const void* connection) {
  std::lock_guard lock(mutex_);
  const auto found = open_.find(connection);
  if (found == open_.end()) return;
  found->second.start = Clock::now();
  found->second.headersDone = false;
}

std::chrono::milliseconds ConnectionWatch::Allowed(const Entry& entry, bool& pressed) const {
  pressed = false;
  if (entry.headersDone) return limits_.request;
  if (limits_.pressure > 0 && open_.size() >= limits_.pressure &&
      limits_.pressedHeaders < limits_.headers) {
    pressed = true;
    return limits_.pressedHeaders;
  }
  return limits_.headers;
}

void ConnectionWatch::Reap() {
  std::unique_lock lock(mutex_);
  while (!stop_.wait_for(lock, std::chrono::milliseconds(200), [this] { return stopping_; })) {
    const Clock::time_point now = Clock::now();
    for (auto& [connection, entry] : open_) {
      bool pressed = false;
      const auto allowed = Allowed(entry, pressed);
      if (!entry.shut && now - entry.start > allowed) {
        shutdown(entry.socket, SHUT_RDWR);
        entry.shut = true;
        entry.cut = entry.headersDone ? "request" : "headers";
        entry.allowed = allowed;
        entry.pressed = pressed;
      }
    }
    if (now - reported_ >= std::chrono::seconds(1)) ReportRefusals();
  }
  ReportRefusals();
}

void ConnectionWatch::ReportRefusals() {
  reported_ = Clock::now();
  for (const auto& [key, count] : refused_) {
    LogError("refused " + std::to_string(count) + " connection" + (count == 1 ? "" : "s") +
             " from " + key + ": it has " + std::to_string(limits_.perKey) +
             " open, the most one client may");
  }
  refused_.clear();
}

}  // namespace brinecast::scores
