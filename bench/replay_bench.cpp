// Verifying a recorded five-minute game: how many times faster than it was played, and how
// big its file is.
#include <benchmark/benchmark.h>

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
#include "support/Events.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"

namespace brinecast {
namespace {

using Kind = PlatformEvent::Kind;

constexpr uint64_t kGameMs = 5 * 60 * 1000;

// The level's clock wound back now and then, so one game lasts the whole five minutes.
void LongLevel(TForm1& form, const std::string&) {
  if (form.State() == GameState::Game) form.TimeLeft = 4000;
}

// Five minutes of a busy player: the boat steered, the line let down and wound up.
std::vector<uint8_t> RecordFiveMinutes(const std::string& appDir) {
  HeadlessPlatform platform;
  TRandom dice(11);
  uint64_t nextStretch = 2500;  // past the level's banner
  uint64_t nextAt = 0;
  platform.QueueEvent(testing::Key(Kind::KeyDown, vk::Return));
  platform.QueueEvent(testing::Key(Kind::KeyUp, vk::Return));
  platform.SetDriver([&](uint64_t) -> std::optional<uint64_t> {
    if (platform.Ticks() >= kGameMs + 3000) return std::nullopt;
    if (platform.Ticks() >= nextStretch) {
      nextStretch += 4000;
      platform.QueueEvent({Kind::Script});
    }
    // Time moves only while nothing is queued: act, then let time pass.
    if (platform.Ticks() < nextAt) return nextAt;
    static constexpr int kKeys[] = {vk::Left, vk::Right, vk::Down, vk::Control};
    platform.QueueEvent(
        testing::Key(dice.Random(2) == 0 ? Kind::KeyDown : Kind::KeyUp, kKeys[dice.Random(4)]));
    nextAt = platform.Ticks() + 50 + dice.Random(400);
    return platform.Ticks();
  });
  GameSetup setup = testing::OfflineSetup(platform, appDir, 5);
  setup.draws = false;
  std::vector<uint8_t> file;
  Project1(
      setup,
      [](TForm1& form) {
        form.SetScriptStep([&form] {
          form.Recorder()->ScriptStep("long level");
          LongLevel(form, {});
        });
      },
      [&](TForm1& form) {
        if (auto* last = form.LastGame(); last && *last) file = replay::EncodeRecording(**last);
      });
  return file;
}

void BM_VerifyFiveMinuteGame(benchmark::State& state) {
  testing::GameFolder folder;
  const std::vector<uint8_t> file = RecordFiveMinutes(folder.AppDir());
  uint64_t frames = 0;
  for (auto _ : state) {
    const VerifyReport report = VerifyRecording(file, folder.AppDir(), LongLevel);
    if (report.verdict != VerifyReport::Verdict::kIncomplete || report.frames < 15000) {
      state.SkipWithError(("the recording did not replay: " + report.Json()).c_str());
      return;
    }
    frames = report.frames;
  }
  // Seconds of play verified per second: the ratio to real time.
  state.counters["x_real_time"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kGameMs / 1000.0, benchmark::Counter::kIsRate);
  state.counters["file_bytes"] = static_cast<double>(file.size());
  state.counters["frames"] = static_cast<double>(frames);
}
BENCHMARK(BM_VerifyFiveMinuteGame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brinecast
