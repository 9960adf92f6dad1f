// A main-loop host for the tests that writes down each handler it runs and when.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/LoopHost.h"
#include "app/MainLoop.h"
#include "engine/WindowTimer.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinecast::testing {

// A window with four timers that writes down every handler run, each with the
// virtual time it ran at; tests hook extra behaviour onto any handler.
class RecordingHost : public LoopHost {
 public:
  struct Entry {
    std::string what;
    uint64_t t;
    bool operator==(const Entry&) const = default;
  };

  explicit RecordingHost(HeadlessPlatform& platform,
                         std::array<uint32_t, 4> intervals = {10, 2000, 2000, 128})
      : platform_(platform),
        timers_{WindowTimer(platform, intervals[0]), WindowTimer(platform, intervals[1]),
                WindowTimer(platform, intervals[2]), WindowTimer(platform, intervals[3])},
        loop(platform, *this) {
    frameTimer.LastTime = platform.Ticks();
  }

  void HandleEvent(const PlatformEvent& event) override {
    log.push_back(
        {"event" + std::to_string(static_cast<int>(event.kind)) + ":" + std::to_string(event.key),
         platform_.Ticks()});
    if (onEvent) onEvent(event);
  }
  void KeyHeld(int key, bool down) override {
    log.push_back(
        {std::string(down ? "held:" : "released:") + std::to_string(key), platform_.Ticks()});
  }
  size_t TimerCount() const override { return timers_.size(); }
  WindowTimer& Timer(size_t index) override { return timers_[index]; }
  void TimerTick(size_t index) override {
    log.push_back({"Timer" + std::to_string(index + 1), platform_.Ticks()});
    if (onTimer) onTimer(index);
  }
  TDXTimer& FrameTimer() override { return frameTimer; }
  void Frame(uint32_t lagCount) override {
    ++frames;
    lagCounts.push_back(lagCount);
    log.push_back({"frame", platform_.Ticks()});
    if (onFrame) onFrame();
    platform_.Present(nullptr);
  }
  bool Terminated() const override { return terminated; }

  using Schedule = std::vector<std::pair<uint64_t, PlatformEvent>>;

  // Runs the loop until the virtual clock reaches `until`, queueing each
  // scheduled event once its time has come. Counts the loop's waits.
  void RunUntil(uint64_t until, Schedule schedule = {}) {
    size_t next = 0;
    platform_.SetDriver(
        [this, until, schedule, next](uint64_t deadline) mutable -> std::optional<uint64_t> {
          const uint64_t now = platform_.Ticks();
          (void)deadline;
          ++waits;
          bool queued = false;
          while (next < schedule.size() && schedule[next].first <= now) {
            platform_.QueueEvent(schedule[next++].second);
            queued = true;
          }
          if (queued) return now;
          if (now >= until) return std::nullopt;
          return next < schedule.size() ? std::min(until, schedule[next].first) : until;
        });
    loop.Run();
  }

  std::vector<uint64_t> TimesOf(const std::string& what) const {
    std::vector<uint64_t> times;
    for (const Entry& entry : log) {
      if (entry.what == what) times.push_back(entry.t);
    }
    return times;
  }

  TDXTimer frameTimer;
  std::vector<Entry> log;
  std::vector<uint32_t> lagCounts;
  int frames = 0;
  int waits = 0;
  bool terminated = false;
  std::function<void(const PlatformEvent&)> onEvent;
  std::function<void(size_t)> onTimer;
  std::function<void()> onFrame;

 private:
  HeadlessPlatform& platform_;
  std::array<WindowTimer, 4> timers_;

 public:
  MainLoop loop;
};

}  // namespace brinecast::testing
