// Tests of the main loop's frames: their pacing, none while inactive, sleeping when idle, the
// lag count and the loop's end; and handing over pending events alone.
#include <gtest/gtest.h>

#include "RecordingHost.h"
#include "support/Events.h"

namespace brinecast::testing {
namespace {

using Kind = PlatformEvent::Kind;

struct PacingCase {
  const char* name;
  uint64_t frameCost;
  uint64_t until;
  int frames;
  uint64_t spacing;  // between consecutive frames
};

class FramePacing : public ::testing::TestWithParam<PacingCase> {};

TEST_P(FramePacing, FramesComeAtTheirRate) {
  const PacingCase& c = GetParam();
  HeadlessPlatform platform;
  platform.SetFrameCost(c.frameCost);
  RecordingHost host(platform);
  host.RunUntil(c.until);
  const std::vector<uint64_t> times = host.TimesOf("frame");
  EXPECT_EQ(static_cast<int>(times.size()), c.frames);
  for (size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], c.spacing);
  // Asleep between frames: one wait per frame, no spinning.
  EXPECT_LE(host.waits, c.frames + 2);
}

INSTANTIATE_TEST_SUITE_P(MainLoop, FramePacing,
                         ::testing::Values(PacingCase{"Every16ms", 0, 1000, 62, 16},
                                           PacingCase{"FortyMsFramesGive25PerSecond", 40, 1000, 25,
                                                      40},
                                           PacingCase{"CheapFramesStillWait16ms", 5, 1000, 62, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MainLoopFrames, InactiveWindowGetsNoFramesAndSleeps) {
  HeadlessPlatform platform;
  RecordingHost host(platform);
  host.RunUntil(1000, {{100, At(Kind::Deactivate)}, {500, At(Kind::Activate)}});
  const std::vector<uint64_t> times = host.TimesOf("frame");
  for (uint64_t t : times) EXPECT_TRUE(t <= 100 || t >= 500) << "frame at " << t;
  // The first frame back comes at once, counting the intervals it missed.
  auto back = std::find(times.begin(), times.end(), 500);
  ASSERT_NE(back, times.end());
  EXPECT_EQ(host.lagCounts[static_cast<size_t>(back - times.begin())], (500 - 96) / 16);
  EXPECT_EQ(times.back(), 996U);
  EXPECT_LE(host.waits, static_cast<int>(times.size()) + 6);
}

TEST(MainLoopFrames, IdleWithoutFramesOrTimersSleepsUntilTheNextEvent) {
  HeadlessPlatform platform;
  RecordingHost host(platform);
  host.frameTimer.Enabled = false;
  host.RunUntil(10000, {{5000, Key(Kind::KeyUp, 1)}});
  EXPECT_LE(host.waits, 5);
  EXPECT_EQ(host.log.size(), 1U);
}

TEST(MainLoopFrames, LagCountIsWholeIntervalsSinceTheLastFrame) {
  HeadlessPlatform platform;
  RecordingHost host(platform);
  host.onEvent = [&](const PlatformEvent&) { platform.Busy(100); };
  host.RunUntil(140, {{20, Key(Kind::KeyDown, 0)}});
  // Frame at 16, then the busy spell to 120: (120 - 16) / 16 = 6 intervals.
  EXPECT_EQ(host.TimesOf("frame"), (std::vector<uint64_t>{16, 120, 136}));
  EXPECT_EQ(host.lagCounts, (std::vector<uint32_t>{1, 6, 1}));
}

TEST(MainLoopFrames, LoopEndsWhenTheHostTerminates) {
  HeadlessPlatform platform;
  RecordingHost host(platform);
  host.onFrame = [&] {
    if (host.frames == 3) host.terminated = true;
  };
  host.Timer(0).SetEnabled(true);
  host.RunUntil(100000);
  EXPECT_EQ(host.frames, 3);
  EXPECT_EQ(platform.Ticks(), 48U);
}

TEST(MainLoopPending, HandsOverThePendingEventsOnlyAndReturns) {
  HeadlessPlatform platform;
  RecordingHost host(platform);
  host.Timer(0).SetEnabled(true);
  platform.Busy(100);  // the timer and the frame are both due
  platform.QueueEvent(Key(Kind::KeyDown, 65));
  platform.QueueEvent(Key(Kind::KeyUp, 65));
  host.loop.RunPending();
  const std::vector<RecordingHost::Entry> expected{{"event0:65", 100}, {"event1:65", 100}};
  EXPECT_EQ(host.log, expected);
  EXPECT_FALSE(platform.HasPendingEvents());
  EXPECT_EQ(platform.Ticks(), 100U);  // no wait either
  host.loop.RunPending();             // nothing pending: nothing happens
  EXPECT_EQ(host.log, expected);
}

}  // namespace
}  // namespace brinecast::testing
