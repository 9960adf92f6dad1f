// Tests of the modal message box in the main loop: what closes it, what the game still gets,
// and what goes on behind it.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Events.h"
#include "RecordingHost.h"
#include "platform/VirtualKeys.h"

namespace brinecast::testing {
namespace {

using Kind = PlatformEvent::Kind;
constexpr int kOkX = HeadlessPlatform::kOkLeft + 5;
constexpr int kOkY = HeadlessPlatform::kOkTop + 5;

// A key handler (F1 released at t=10) opens a box; the test's input follows.
struct BoxRun {
  explicit BoxRun(std::array<uint32_t, 4> intervals = {10, 2000, 2000, 128})
      : host(platform, intervals) {
    host.onEvent = [this](const PlatformEvent& event) {
      if (event.kind == Kind::KeyUp && event.key == vk::F1) {
        host.loop.ShowMessage("Can't load music.");
        host.log.push_back({"closed", platform.Ticks()});
      }
    };
  }
  void Run(RecordingHost::Schedule input, uint64_t until = 300) {
    input.insert(input.begin(), {10, Key(Kind::KeyUp, vk::F1)});
    host.RunUntil(until, input);
  }
  // Events the game heard after the box opened.
  std::vector<RecordingHost::Entry> HeardAfterOpening() const {
    std::vector<RecordingHost::Entry> heard;
    for (const auto& entry : host.log) {
      if (entry.what.starts_with("event") && entry.t > 10) heard.push_back(entry);
    }
    return heard;
  }
  HeadlessPlatform platform;
  RecordingHost host;
};

PlatformEvent Click(Kind kind, int x, int y) {
  return At(kind, x, y);
}

struct CloseCase {
  const char* name;
  std::vector<PlatformEvent> input;
};

class MessageBoxCloses : public ::testing::TestWithParam<CloseCase> {};

TEST_P(MessageBoxCloses, OnItsInputAndNothingReachesTheGame) {
  BoxRun run;
  RecordingHost::Schedule input;
  // Input for the game, not the box: swallowed while it is open.
  for (PlatformEvent other :
       {Key(Kind::KeyDown, 'A'), Key(Kind::KeyUp, 'A'), At(Kind::MouseMove, 400, 300),
        At(Kind::MouseDown, 10, 10), At(Kind::MouseUp, 10, 10), At(Kind::Click, 10, 10),
        At(Kind::Close), At(Kind::Minimise)}) {
    input.push_back({50, other});
  }
  for (const PlatformEvent& event : GetParam().input) input.push_back({100, event});
  run.Run(input);
  EXPECT_EQ(run.host.TimesOf("closed"), (std::vector<uint64_t>{100}));
  // All of it is the box's, except the close request: kept, and handed to the
  // game once the box has closed.
  const auto heard = run.HeardAfterOpening();
  ASSERT_EQ(heard.size(), 1U);
  EXPECT_EQ(heard[0].what, "event" + std::to_string(static_cast<int>(Kind::Close)) + ":0");
  EXPECT_EQ(heard[0].t, 100U);
  EXPECT_EQ(run.host.loop.Messages(), (std::vector<std::string>{"Can't load music."}));
  EXPECT_FALSE(run.platform.MessageBox().has_value());
  EXPECT_FALSE(run.host.loop.OpenBox().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    MainLoop, MessageBoxCloses,
    ::testing::Values(
        CloseCase{"Enter", {Key(Kind::KeyDown, vk::Return), Key(Kind::KeyUp, vk::Return)}},
        CloseCase{"Space", {Key(Kind::KeyDown, vk::Space), Key(Kind::KeyUp, vk::Space)}},
        CloseCase{"Escape", {Key(Kind::KeyDown, vk::Escape), Key(Kind::KeyUp, vk::Escape)}},
        CloseCase{"ReleaseAlone", {Key(Kind::KeyUp, vk::Return)}},
        CloseCase{"ClickOnOk",
                  {Click(Kind::MouseDown, kOkX, kOkY), Click(Kind::MouseUp, kOkX, kOkY),
                   Click(Kind::Click, kOkX, kOkY)}},
        CloseCase{"Dismiss", {At(Kind::DismissBox)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBox, FramesAndTimersGoOnBehindIt) {
  BoxRun run;
  run.host.Timer(0).SetEnabled(true);
  run.Run({{200, At(Kind::DismissBox)}});
  EXPECT_EQ(run.platform.FramesPresented(), 300U / 16);
  int timerTicksWhileOpen = 0;
  for (uint64_t t : run.host.TimesOf("Timer1")) timerTicksWhileOpen += t > 10 && t < 200;
  EXPECT_EQ(timerTicksWhileOpen, 18);
}

TEST(MessageBox, ShowsItsTextOnThePlatformWhileOpen) {
  BoxRun run;
  std::optional<std::string> seen;
  run.host.onFrame = [&] {
    if (run.platform.Ticks() == 64 && run.platform.MessageBox())
      seen = run.platform.MessageBox()->text;
  };
  run.Run({{100, At(Kind::DismissBox)}});
  EXPECT_EQ(seen, "Can't load music.");
}

TEST(MessageBox, InputAfterTheClosingOneGoesToTheGame) {
  BoxRun run;
  // Both arrive in one pass: the box takes the first, the game the second.
  run.Run({{100, At(Kind::DismissBox)}, {100, Key(Kind::KeyUp, 'B')}});
  const auto heard = run.HeardAfterOpening();
  ASSERT_EQ(heard.size(), 1U);
  EXPECT_EQ(heard[0].what, "event" + std::to_string(static_cast<int>(Kind::KeyUp)) + ":66");
}

TEST(MessageBox, TheClosingKeysReleaseIsNotTakenByTheGameLater) {
  BoxRun run;
  run.Run({{100, Key(Kind::KeyDown, vk::Return)},
           {150, Key(Kind::KeyUp, vk::Return)},
           {200, Key(Kind::KeyUp, vk::Return)}});
  // Only the second release, which belongs to no box, is the game's.
  EXPECT_EQ(run.HeardAfterOpening().size(), 1U);
  EXPECT_EQ(run.HeardAfterOpening()[0].t, 200U);
}

TEST(MessageBox, AHeldKeysRepeatsOwedOneReleaseNotOneEach) {
  BoxRun run;
  run.host.onEvent = [&](const PlatformEvent& event) {
    if (event.kind != Kind::KeyUp || event.key != vk::F1) return;
    run.host.loop.ShowMessage("first");
    run.host.loop.ShowMessage("second");
  };
  // Enter held: its auto-repeat closes the second box too; one release ends it.
  run.Run({{100, Key(Kind::KeyDown, vk::Return)},
           {110, Key(Kind::KeyDown, vk::Return)},
           {150, Key(Kind::KeyUp, vk::Return)},
           {200, Key(Kind::KeyDown, vk::Return)},
           {210, Key(Kind::KeyUp, vk::Return)}});
  std::vector<uint64_t> heard;
  for (const auto& entry : run.HeardAfterOpening()) heard.push_back(entry.t);
  EXPECT_EQ(heard, (std::vector<uint64_t>{200, 210}));
}

TEST(MessageBox, FocusChangesStillReachTheGame) {
  BoxRun run;
  run.Run({{50, At(Kind::Deactivate)}, {80, At(Kind::Activate)}, {100, At(Kind::DismissBox)}});
  EXPECT_EQ(run.HeardAfterOpening().size(), 2U);
  // No frames while inactive, even under a box.
  for (uint64_t t : run.host.TimesOf("frame")) EXPECT_TRUE(t <= 50 || t >= 80) << t;
}

TEST(MessageBox, QuitWhileOpenEndsBothLoops) {
  BoxRun run;
  run.Run({}, 120);
  EXPECT_TRUE(run.platform.QuitRequested());
  EXPECT_EQ(run.host.TimesOf("closed"), (std::vector<uint64_t>{120}));
}

TEST(HandlerErrors, AreShownInABoxAndSkipTheRestOfTheHandler) {
  HeadlessPlatform platform;
  RecordingHost host(platform);
  host.Timer(0).SetEnabled(true);
  host.onTimer = [&](size_t) {
    if (platform.Ticks() != 20) return;
    throw std::runtime_error("Image 'Fish' not found");
    host.log.push_back({"unreachable", platform.Ticks()});
  };
  host.RunUntil(200, {{100, At(Kind::DismissBox)}});
  EXPECT_EQ(host.loop.Messages(), (std::vector<std::string>{"Image 'Fish' not found"}));
  EXPECT_TRUE(host.TimesOf("unreachable").empty());
  // The game goes on behind the box and after it.
  EXPECT_EQ(host.TimesOf("frame").back(), 192U);
  EXPECT_EQ(host.TimesOf("Timer1").back(), 200U);
}

TEST(HandlerErrors, AnErrorUnderAnOpenBoxStacksASecondBox) {
  BoxRun run;
  run.host.onFrame = [&] {
    if (run.platform.Ticks() == 48)
      throw std::out_of_range("Index of the list exceeds the range. (3)");
  };
  std::optional<std::string> underneath;
  run.host.Timer(0).SetEnabled(true);
  run.host.onTimer = [&](size_t) {
    if (run.platform.Ticks() == 150 && run.platform.MessageBox()) {
      underneath = run.platform.MessageBox()->text;
    }
  };
  run.Run({{100, At(Kind::DismissBox)}, {200, At(Kind::DismissBox)}});
  EXPECT_EQ(
      run.host.loop.Messages(),
      (std::vector<std::string>{"Can't load music.", "Index of the list exceeds the range. (3)"}));
  EXPECT_EQ(underneath, "Can't load music.");
  EXPECT_EQ(run.host.TimesOf("closed"), (std::vector<uint64_t>{200}));
}

TEST(MessageBox, ACaptionedBoxReachesThePlatformWholeAndComesBackWholeFromUnderAnError) {
  BoxRun run;
  const MessageBoxContent offline{"Can't connect to server!", "Information", BoxIcon::Information};
  run.host.onEvent = [&](const PlatformEvent& event) {
    if (event.kind == Kind::KeyUp && event.key == vk::F1) run.host.loop.ShowMessage(offline);
  };
  run.host.onFrame = [&] {
    if (run.platform.Ticks() == 48) throw std::out_of_range("Index out of range");
  };
  std::vector<std::optional<MessageBoxContent>> shown;
  std::optional<std::string> openText;
  run.host.Timer(0).SetEnabled(true);
  run.host.onTimer = [&](size_t) {
    const uint64_t t = run.platform.Ticks();
    if (t == 30 || t == 80 || t == 150 || t == 250) shown.push_back(run.platform.MessageBox());
    if (t == 150) openText = run.host.loop.OpenBox();
  };
  run.Run({{100, At(Kind::DismissBox)}, {200, At(Kind::DismissBox)}});
  const MessageBoxContent error{"Index out of range"};
  EXPECT_EQ(shown,
            (std::vector<std::optional<MessageBoxContent>>{offline, error, offline, std::nullopt}));
  EXPECT_EQ(openText, "Can't connect to server!");
  EXPECT_EQ(run.host.loop.Messages(),
            (std::vector<std::string>{"Can't connect to server!", "Index out of range"}));
}

}  // namespace
}  // namespace brinecast::testing
