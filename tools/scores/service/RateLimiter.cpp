// Windows older than a minute are swept now and then, so memory follows the clients of the
// last minute only.
#include "scores/service/RateLimiter.h"

#include <algorithm>

namespace brinecast::scores {

bool RateLimiter::Allow(const std::string& key, int64_t now) {
  std::lock_guard lock(mutex_);
  ForgetOld(now);
  Window& window = windows_[key];
  if (now - window.start >= 60) window = {now, 0};
  // A client whose requests go round the servers meets the whole limit once, not once each.
  const int64_t share = std::max<int64_t>(1, perMinute_ / ways_);
  if (window.count >= share) return false;
  ++window.count;
  return true;
}

void RateLimiter::ForgetOld(int64_t now) {
  // Many keys at once are swept at most once a second.
  const bool crowded = windows_.size() >= 100'000 && now != lastSweep_;
  if (now - lastSweep_ < 60 && !crowded) return;
  lastSweep_ = now;
  std::erase_if(windows_, [now](const auto& entry) { return now - entry.second.start >= 60; });
}

}  // namespace brinecast::scores
