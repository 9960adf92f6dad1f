// Watches every open connection: how many each client key holds, and how long its current
// request has taken. A request that is not done by its deadline has its socket shut down,
// however steadily it trickles bytes.
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>

namespace brinecast::scores {

struct WatchLimits {
  int perKey = 16;                          // connections open at once from one address or IPv6 /64
  std::chrono::milliseconds headers{5000};  // from the start to the end of the headers
  std::chrono::milliseconds request{15000};  // from the start to the reply sent
};

class ConnectionWatch {
 public:
  explicit ConnectionWatch(WatchLimits limits);
  ~ConnectionWatch();
  ConnectionWatch(const ConnectionWatch&) = delete;
  ConnectionWatch& operator=(const ConnectionWatch&) = delete;

  // Whether one more connection from `key` is allowed.
  bool Admit(const std::string& key, bool exempt);
  void Opened(const void* connection, int socket, const std::string& key);
  // Called before the socket is closed, so it is never shut down once reused.
  void Closed(const void* connection);
  void HeadersDone(const void* connection);
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
  };
  void Reap();
  const WatchLimits limits_;
  std::mutex mutex_;
  std::condition_variable stop_;
  bool stopping_ = false;
  std::unordered_map<const void*, Entry> open_;
  std::map<std::string, int> perKey_;
  std::thread reaper_;
};

}  // namespace brinecast::scores
