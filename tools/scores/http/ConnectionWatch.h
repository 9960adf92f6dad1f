// Watches every open connection: how many each client key holds, and how long its current
// request has taken. A request that is not done by its deadline has its socket shut down,
// however steadily it trickles bytes.
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>

namespace brinecast::scores {

struct WatchLimits {
  int perKey = 16;                          // connections open at once from one address or IPv6 /64
  std::chrono::milliseconds headers{5000};  // from the start to the end of the headers
  std::chrono::milliseconds request{15000};  // from the start to the reply sent
  // With this many connections open (0: never) the server is under pressure, and headers
  // (of a first request, or of the next on a kept-alive connection) must come sooner.
  size_t pressure = 0;
  std::chrono::milliseconds pressedHeaders{1000};
};

class ConnectionWatch {
 public:
  explicit ConnectionWatch(WatchLimits limits);
  ~ConnectionWatch();
  ConnectionWatch(const ConnectionWatch&) = delete;
  ConnectionWatch& operator=(const ConnectionWatch&) = delete;

  // Whether one more connection from `key` is allowed. Refusals are counted and logged, at
  // most once a second, so a flood of them cannot flood the log.
  bool Admit(const std::string& key, bool exempt);
  void Opened(const void* connection, int socket, const std::string& key);
  // A connection cut off by a deadline, as its log line tells it.
  struct Cut {
    std::string cause;        // "headers not done within 5000 ms"
    double milliseconds = 0;  // from the start of its request
  };
  // Called before the socket is closed, so it is never shut down once reused. The cut, when
  // the connection was cut with no request to tell it (TakeCut not called).
  std::optional<Cut> Closed(const void* connection);
  void HeadersDone(const void* connection);
  // Why the connection's request was cut off, when a deadline cut it; asked once.
  std::optional<Cut> TakeCut(const void* connection);
  // The next request on a kept-alive connection starts its clock now.
  void RequestDone(const void* connection);

 private:
  using Clock = std::chrono::steady_clock;
  struct Entry {
    int socket = -1;
    std::string key;
    Clock::time_point start;
    bool headersDone = false;
    bool shut = false;
    const char* cut = nullptr;             // the deadline that shut it, until told
    std::chrono::milliseconds allowed{0};  // what that deadline allowed
    bool pressed = false;                  // shortened by pressure
  };
  void Reap();
  void ReportRefusals();
  // The deadline of an entry now; whether pressure shortened it.
  std::chrono::milliseconds Allowed(const Entry& entry, bool& pressed) const;
  const WatchLimits limits_;
  std::mutex mutex_;
  std::condition_variable stop_;
  bool stopping_ = false;
  std::unordered_map<const void*, Entry> open_;
  std::map<std::string, int> perKey_;
  std::map<std::string, int> refused_;  // since the last report
  Clock::time_point reported_{};
  std::thread reaper_;
};

}  // namespace brinecast::scores
