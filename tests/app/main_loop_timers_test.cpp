// Tests of the window timers in the main loop: when each fires, in what order, and beside the
// frames.
#include <gtest/gtest.h>

#include "RecordingHost.h"
#include "support/Events.h"

namespace brinecast::testing {
namespace {

using Kind = PlatformEvent::Kind;

// Something done to Timer1 (or to the clock) at a moment of virtual time.
struct Action {
  uint64_t t;
  enum { Enable, Disable, Busy } op;
  uint64_t busyMs = 0;
};

struct TimerCase {
  const char* name;
  std::vector<Action> actions;
  uint64_t until;
  std::vector<uint64_t> fires;
};

class WindowTimerRules : public ::testing::TestWithParam<TimerCase> {};

TEST_P(WindowTimerRules, Timer1FiresAtTheseTimes) {
  const TimerCase& c = GetParam();
  HeadlessPlatform platform;
  RecordingHost host(platform);
  host.frameTimer.Enabled = false;
  RecordingHost::Schedule schedule;
  for (size_t i = 0; i < c.actions.size(); ++i) {
    schedule.push_back({c.actions[i].t, Key(Kind::KeyDown, static_cast<int>(i))});
  }
  host.onEvent = [&](const PlatformEvent& event) {
    const Action& action = c.actions[static_cast<size_t>(event.key)];
    if (action.op == Action::Enable) host.Timer(0).SetEnabled(true);
    if (action.op == Action::Disable) host.Timer(0).SetEnabled(false);
    if (action.op == Action::Busy) platform.Busy(action.busyMs);
  };
  host.RunUntil(c.until, schedule);
  EXPECT_EQ(host.TimesOf("Timer1"), c.fires);
}

INSTANTIATE_TEST_SUITE_P(
    MainLoop, WindowTimerRules,
    ::testing::Values(
        TimerCase{"EveryPeriod", {{0, Action::Enable}}, 55, {10, 20, 30, 40, 50}},
        TimerCase{"EnablingAgainKeepsThePeriod",
                  {{0, Action::Enable}, {5, Action::Enable}, {13, Action::Enable}},
                  45,
                  {10, 20, 30, 40}},
        TimerCase{"DisablingDropsTheRunningPeriod",
                  {{0, Action::Enable}, {15, Action::Disable}, {17, Action::Enable}},
                  50,
                  {10, 27, 37, 47}},
        TimerCase{"DisabledNeverFires", {{0, Action::Enable}, {5, Action::Disable}}, 100, {}},
        TimerCase{"LateTimerFiresOnceAndKeepsItsPhase",
                  {{0, Action::Enable}, {12, Action::Busy, 25}},
                  55,
                  {10, 37, 40, 50}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainLoopTimers, DueTimersFireEarliestFirstAndTiesByNumber) {
  HeadlessPlatform platform;
  RecordingHost host(platform, {30, 20, 10, 10});
  host.frameTimer.Enabled = false;
  for (size_t i = 0; i < 4; ++i) host.Timer(i).SetEnabled(true);
  // A blocking call makes all four late at once.
  host.onEvent = [&](const PlatformEvent&) { platform.Busy(100); };
  host.RunUntil(101, {{1, Key(Kind::KeyDown, 0)}});
  std::vector<std::string> order;
  for (const auto& entry : host.log) {
    if (entry.t == 101) order.push_back(entry.what);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Timer3", "Timer4", "Timer2", "Timer1"}));
}

TEST(MainLoopTimers, AHandlerThatDisablesAnotherDueTimerStopsItsTick) {
  HeadlessPlatform platform;
  RecordingHost host(platform, {20, 20, 20, 20});
  host.frameTimer.Enabled = false;
  host.Timer(0).SetEnabled(true);
  host.Timer(1).SetEnabled(true);
  host.onTimer = [&](size_t index) {
    if (index == 0) host.Timer(1).SetEnabled(false);
  };
  host.RunUntil(50);
  EXPECT_EQ(host.TimesOf("Timer1"), (std::vector<uint64_t>{20, 40}));
  EXPECT_TRUE(host.TimesOf("Timer2").empty());
}

TEST(MainLoopTimers, TimersDueWithAFrameTickBeforeIt) {
  HeadlessPlatform platform;
  RecordingHost host(platform, {16, 2000, 2000, 128});
  host.Timer(0).SetEnabled(true);
  host.RunUntil(20);
  EXPECT_EQ(host.log, (std::vector<RecordingHost::Entry>{{"Timer1", 16}, {"frame", 16}}));
}

}  // namespace
}  // namespace brinecast::testing
