// A main window in a scratch game folder, driven on the headless platform by a list of
// timed events.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/TForm1.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Events.h"
#include "support/GameFolder.h"

namespace brinecast::testing {

// Runs the main loop until `until`, queuing each step's events at its time.
struct Step {
  uint64_t at;
  std::function<void()> action;
};

inline void RunUntil(HeadlessPlatform& platform, TForm1& form, std::vector<Step> steps,
                     uint64_t until) {
  size_t next = 0;
  platform.SetDriver([&](uint64_t) -> std::optional<uint64_t> {
    while (next < steps.size() && steps[next].at <= platform.Ticks()) steps[next++].action();
    if (platform.HasPendingEvents()) return platform.Ticks();
    if (platform.Ticks() >= until) return std::nullopt;
    return next < steps.size() ? std::min(steps[next].at, until) : until;
  });
  form.Loop.Run();
}

}  // namespace brinecast::testing
