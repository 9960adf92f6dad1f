// A game driven on the headless platform by a list of steps at set times of its clock.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/TForm1.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Events.h"

namespace brinecast::testing {

struct Step {
  uint64_t at;
  std::function<void()> action;
};

// From now on the platform runs each step at its time, and ends the run at `until`.
inline void DriveSteps(HeadlessPlatform& platform, std::vector<Step> steps, uint64_t until) {
  platform.SetDriver([&platform, steps = std::move(steps), until,
                      next = size_t{0}](uint64_t) mutable -> std::optional<uint64_t> {
    while (next < steps.size() && steps[next].at <= platform.Ticks()) steps[next++].action();
    if (platform.HasPendingEvents()) return platform.Ticks();
    if (platform.Ticks() >= until) return std::nullopt;
    return next < steps.size() ? std::min(steps[next].at, until) : until;
  });
}

// Runs the window's main loop until `until`, running each step at its time.
inline void RunUntil(HeadlessPlatform& platform, TForm1& form, std::vector<Step> steps,
                     uint64_t until) {
  DriveSteps(platform, std::move(steps), until);
  form.Loop().Run();
}

}  // namespace brinecast::testing
