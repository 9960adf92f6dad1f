// Replays are exact: seeded random sessions (keys, the pointer, the pad, pauses, focus
// changes, the leave question, level changes, several games in a row) are recorded as the
// game runs them, and each recording replays to the same end and the same state.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/GameSetup.h"
#include "app/Project1.h"
#include "app/TForm1.h"
#include "app/replay/VerifyRecording.h"
#include "objects/Random.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "replay/Recording.h"
#include "replay/Tape.h"
#include "support/Events.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"

namespace brinecast {
namespace {

using Kind = PlatformEvent::Kind;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kSessions = 4;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kSessions = 4;
#else
constexpr int kSessions = 40;
#endif
#else
constexpr int kSessions = 40;
#endif

// The steps a session may run on the game between events, as the simulator's set-up does;
// they go on the tape and the replay runs them again.
void RunStep(TForm1& form, const std::string& line) {
  if (line == "NextLevel") {
    form.NextLevel();
  } else if (line == "ShortClock") {
    form.TimeLeft = std::min(form.TimeLeft, 150);
  } else {
    throw std::runtime_error("unknown step " + line);
  }
}

// One random session: what the player does, when, drawn from its seed.
class Session {
 public:
  explicit Session(uint64_t seed) : dice_(seed * 7919 + 1) {}

  std::optional<uint64_t> Drive(HeadlessPlatform& platform, uint64_t end) {
    if (platform.Ticks() >= end) return std::nullopt;
    if (platform.MessageBox()) {
      platform.QueueEvent({Kind::DismissBox});
      return platform.Ticks();
    }
    // An event queued returns control at once; time moves only while nothing is queued.
    if (platform.Ticks() < nextAt_) return nextAt_;
    Act(platform);
    nextAt_ = platform.Ticks() + 1 + dice_.Random(600);
    return platform.Ticks();
  }

  std::vector<std::string> steps;

 private:
  void Key(HeadlessPlatform& platform, int key, bool down) {
    platform.QueueEvent(testing::Key(down ? Kind::KeyDown : Kind::KeyUp, key));
  }

  void Act(HeadlessPlatform& platform) {
    static constexpr int kKeys[] = {vk::Left,    vk::Right, vk::Down,   vk::Up,     vk::Space,
                                    vk::Control, 'P',       vk::Escape, vk::Return, 'J'};
    const uint32_t roll = dice_.Random(100);
    if (roll < 45) {
      Key(platform, kKeys[dice_.Random(std::size(kKeys))], dice_.Random(3) != 0);
    } else if (roll < 60) {
      platform.QueueEvent(testing::At(Kind::MouseMove, static_cast<int>(dice_.Random(800)),
                                      static_cast<int>(dice_.Random(600))));
    } else if (roll < 68) {
      static constexpr Kind kButtons[] = {Kind::MouseDown, Kind::MouseUp, Kind::Click};
      PlatformEvent button = testing::At(kButtons[dice_.Random(3)], 400, 300);
      button.button = dice_.Random(4) == 0 ? MouseButton::Right : MouseButton::Left;
      platform.QueueEvent(button);
    } else if (roll < 71) {
      static constexpr Kind kWindow[] = {Kind::Deactivate, Kind::Activate, Kind::Minimise};
      platform.QueueEvent({kWindow[dice_.Random(3)]});
    } else if (roll < 74) {
      JoystickState pad;
      pad.present = dice_.Random(4) != 0;
      pad.x = static_cast<int>(dice_.Random(2001)) - 1000;
      pad.y = static_cast<int>(dice_.Random(2001)) - 1000;
      pad.buttons = dice_.Random(4);
      platform.SetJoystick(pad);
    } else if (roll < 77) {
      steps.push_back(dice_.Random(2) == 0 ? "NextLevel" : "ShortClock");
      platform.QueueEvent({Kind::Script});
    }
  }

  TRandom dice_;
  uint64_t nextAt_ = 0;
};

struct Played {
  std::optional<replay::Recording> recording;
  std::string stateAtEnd;
};

Played PlaySession(uint64_t seed, const std::string& appDir) {
  HeadlessPlatform platform;
  Session session(seed);
  const uint64_t end = 20000 + seed % 7 * 15000;
  platform.QueueEvent(testing::Key(Kind::KeyDown, vk::Return));
  platform.QueueEvent(testing::Key(Kind::KeyUp, vk::Return));
  platform.SetDriver([&](uint64_t) { return session.Drive(platform, end); });
  GameSetup setup = testing::OfflineSetup(platform, appDir, seed);
  setup.draws = false;
  Played played;
  Project1(
      setup,
      [&](TForm1& form) {
        form.SetScriptStep([&session, &form] {
          if (session.steps.empty()) return;
          const std::string line = session.steps.front();
          session.steps.erase(session.steps.begin());
          form.Recorder()->ScriptStep(line);
          // Outside a game the step still runs, as the simulator's do.
          if (form.State() == GameState::Game) RunStep(form, line);
        });
      },
      [&](TForm1& form) {
        if (auto* last = form.LastGame()) played.recording = *last;
      });
  return played;
}

TEST(Determinism, EveryRecordedGameReplaysToItsOwnEnd) {
  testing::GameFolder folder;
  int replayed = 0;
  bool sawLevelChange = false;
  bool sawEnd = false;
  bool sawUnfinished = false;
  for (int seed = 1; seed <= kSessions; ++seed) {
    const Played played = PlaySession(static_cast<uint64_t>(seed), folder.AppDir());
    ASSERT_TRUE(played.recording) << "seed " << seed << " played no game";
    const replay::Recording& recording = *played.recording;
    const std::vector<uint8_t> file = replay::EncodeRecording(recording);
    const VerifyReport report =
        VerifyRecording(file, folder.AppDir(), [](TForm1& form, const std::string& line) {
          if (form.State() == GameState::Game) RunStep(form, line);
        });
    EXPECT_TRUE(report.verdict == VerifyReport::Verdict::kComplete ||
                report.verdict == VerifyReport::Verdict::kIncomplete)
        << "seed " << seed << ": " << report.Json();
    EXPECT_EQ(report.complete, recording.end.complete) << "seed " << seed;
    EXPECT_EQ(report.state, recording.end.state) << "seed " << seed;
    EXPECT_EQ(report.score, recording.end.score) << "seed " << seed;
    EXPECT_EQ(report.frames, recording.end.frames) << "seed " << seed;
    ++replayed;
    sawLevelChange = sawLevelChange || recording.end.level > 1;
    sawEnd = sawEnd || recording.end.complete;
    sawUnfinished = sawUnfinished || !recording.end.complete;
  }
  EXPECT_EQ(replayed, kSessions);
  // The sessions must have covered what they are for.
  EXPECT_TRUE(sawLevelChange);
  EXPECT_TRUE(sawEnd);
  EXPECT_TRUE(sawUnfinished);
}

TEST(Determinism, ARecordingWithAChangedClockIsCaught) {
  testing::GameFolder folder;
  const Played played = PlaySession(3, folder.AppDir());
  ASSERT_TRUE(played.recording);
  replay::Recording changed = *played.recording;
  // One clock reading halfway through the game a millisecond later, as an edited file would
  // have it: every later reading moves with it.
  const std::vector<size_t> steps = replay::ClockStepOffsets(changed.tape);
  ASSERT_GT(steps.size(), 100U);
  uint8_t& step = changed.tape[steps[steps.size() / 2]];
  step = static_cast<uint8_t>(step == 255 ? 254 : step + 1);
  const VerifyReport report =
      VerifyRecording(replay::EncodeRecording(changed), folder.AppDir(),
                      [](TForm1& form, const std::string& line) { RunStep(form, line); });
  EXPECT_NE(report.verdict, VerifyReport::Verdict::kComplete) << report.Json();
  EXPECT_NE(report.verdict, VerifyReport::Verdict::kIncomplete) << report.Json();
}

TEST(Determinism, ScriptedRecordingsNeedSomeoneToRunTheirSteps) {
  testing::GameFolder folder;
  for (uint64_t seed = 1; seed < 40; ++seed) {
    const Played played = PlaySession(seed, folder.AppDir());
    if (!played.recording || !played.recording->scripted) continue;
    const VerifyReport report =
        VerifyRecording(replay::EncodeRecording(*played.recording), folder.AppDir());
    EXPECT_TRUE(report.scripted);
    EXPECT_EQ(report.verdict, VerifyReport::Verdict::kInconsistent) << report.Json();
    return;
  }
  FAIL() << "no session held a set-up step";
}

}  // namespace
}  // namespace brinecast
