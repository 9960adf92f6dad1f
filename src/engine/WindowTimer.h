// The window's timers on the platform's clock, and the frame timer run from idle time.
#pragma once

#include <cstdint>

namespace brinecast {

class Platform;

// A window timer: fires every Interval ms while enabled. Enabling it again
// while it runs keeps its period; disabling drops the running period; one that
// fell behind fires once and keeps its phase, skipping what it missed.
class WindowTimer {
 public:
  WindowTimer(Platform& platform, uint32_t interval) : platform_(platform), interval_(interval) {}

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  uint32_t Interval() const { return interval_; }
  // Time of the next tick; meaningful only while enabled.
  uint64_t Due() const { return due_; }
  // A replay puts a timer back as its game found it.
  void Restore(bool enabled, uint64_t due) {
    enabled_ = enabled;
    due_ = due;
  }
  // The loop calls this just before the tick's handler runs.
  void Advance(uint64_t now);

 private:
  Platform& platform_;
  uint32_t interval_;
  bool enabled_ = false;
  uint64_t due_ = 0;
};

// The idle-time frame timer: at most one frame every Interval ms, only while
// the window is active when ActiveOnly.
struct TDXTimer {
  uint32_t Interval = 16;
  bool ActiveOnly = true;
  bool Enabled = true;
  uint64_t LastTime = 0;
};

}  // namespace brinecast
