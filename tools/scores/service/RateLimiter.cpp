// Windows older than a minute are swept now and then, so memory follows the clients of the
// last minute only.
#include "scores/service/RateLimiter.h"

namespace brinecast::scores {

bool RateLimiter::Allow(const std::string& key, int64_t now) {
  std::lock_guard lock(mutex_);
  ForgetOld(now);
  Window& window = windows_[key];
  if (now - window.start >= 60) window = {now, 0};
  if (window.count >= perMinute_) return false;
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
