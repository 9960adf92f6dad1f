// Counts events per key within the last minute, in memory: the check limit needs no database.
// Servers sharing one database share the allowance, each counting its part of it.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace brinecast::scores {

class RateLimiter {
 public:
  explicit RateLimiter(int perMinute) : perMinute_(perMinute) {}

  // Counts one event for `key` at `now` (seconds) and says whether it is within the limit;
  // a refused event is not counted, so a client that waits gets through.
  bool Allow(const std::string& key, int64_t now);
  // From now on this server allows its share of the limit among `servers`, at least one.
  void Share(int64_t servers) { ways_ = servers < 1 ? 1 : servers; }

 private:
  // A fixed minute per key: a count and when its minute began.
  struct Window {
    int64_t start = 0;
    int count = 0;
  };
  void ForgetOld(int64_t now);
  const int perMinute_;
  std::atomic<int64_t> ways_{1};
  std::mutex mutex_;
  std::unordered_map<std::string, Window> windows_;
  int64_t lastSweep_ = 0;
};

}  // namespace brinecast::scores
