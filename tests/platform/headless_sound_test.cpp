// Tests of the headless platform's silent sound device: voice lengths in virtual time and the
// record of plays and stops.
#include <gtest/gtest.h>

#include <vector>

#include "platform/WaveBytes.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinecast {
namespace {

using test::MakeWave;

// 8-bit mono at 1000 Hz: one frame is one millisecond.
std::vector<uint8_t> WaveOfMs(uint32_t ms) {
  return MakeWave(test::Pcm(1, 1000, 8, ms));
}

TEST(HeadlessSound, AVoicePlaysForItsSoundsLengthInVirtualTime) {
  HeadlessPlatform platform;
  const auto wave = WaveOfMs(100);
  const int sound = platform.SoundOpen("Beep", wave.data(), wave.size());
  ASSERT_GE(sound, 0);
  platform.Busy(40);
  const int voice = platform.SoundPlay(sound, false);
  ASSERT_GE(voice, 0);
  for (const auto& [at, playing] :
       std::vector<std::pair<uint64_t, bool>>{{40, true}, {139, true}, {140, false}}) {
    platform.Busy(at - platform.Ticks());
    EXPECT_EQ(platform.SoundPlaying(voice), playing) << "at " << at;
  }
  // A stop after the end records nothing: only playing voices are stopped.
  platform.SoundStop(voice);
  EXPECT_EQ(platform.Sounds(), (std::vector<SoundRecord>{{"play", "Beep", 40}}));
}

TEST(HeadlessSound, RecordsEveryPlayAndEveryStopOfAPlayingVoiceInOrder) {
  HeadlessPlatform platform;
  const auto longWave = WaveOfMs(1000);
  const auto shortWave = WaveOfMs(10);
  const int up = platform.SoundOpen("Up", longWave.data(), longWave.size());
  const int click = platform.SoundOpen("Click", shortWave.data(), shortWave.size());
  const int first = platform.SoundPlay(up, false);
  platform.Busy(5);
  const int second = platform.SoundPlay(up, false);
  const int clickVoice = platform.SoundPlay(click, false);
  EXPECT_NE(first, second);
  EXPECT_NE(second, clickVoice);
  platform.Busy(20);
  platform.SoundStop(clickVoice);  // already over
  platform.SoundStop(first);
  platform.SoundStop(first);  // twice: the second finds it stopped
  EXPECT_FALSE(platform.SoundPlaying(first));
  EXPECT_TRUE(platform.SoundPlaying(second));
  platform.SoundStop(-1);
  platform.SoundStop(12345);
  EXPECT_EQ(platform.Sounds(),
            (std::vector<SoundRecord>{
                {"play", "Up", 0}, {"play", "Up", 5}, {"play", "Click", 5}, {"stop", "Up", 25}}));
}

TEST(HeadlessSound, ALoopedVoicePlaysUntilStopped) {
  HeadlessPlatform platform;
  const auto wave = WaveOfMs(10);
  const int sound = platform.SoundOpen("Hum", wave.data(), wave.size());
  const int voice = platform.SoundPlay(sound, true);
  platform.Busy(1'000'000);
  EXPECT_TRUE(platform.SoundPlaying(voice));
  platform.SoundStop(voice);
  EXPECT_FALSE(platform.SoundPlaying(voice));
  EXPECT_EQ(platform.Sounds().back(), (SoundRecord{"stop", "Hum", 1'000'000}));
}

TEST(HeadlessSound, WithoutADeviceOrWithBadDataNothingOpensOrPlays) {
  const auto wave = WaveOfMs(10);
  const std::vector<uint8_t> garbage(100, 7);
  HeadlessPlatform platform;
  EXPECT_EQ(platform.SoundOpen("Bad", garbage.data(), garbage.size()), -1);
  EXPECT_EQ(platform.SoundPlay(-1, false), -1);
  EXPECT_EQ(platform.SoundPlay(3, false), -1);
  HeadlessPlatform silent;
  silent.SetSoundDevice(false);
  EXPECT_EQ(silent.SoundOpen("Beep", wave.data(), wave.size()), -1);
  EXPECT_TRUE(platform.Sounds().empty());
  EXPECT_TRUE(silent.Sounds().empty());
}

TEST(HeadlessSound, VoicesOfFinishedPlaysAreNeverHandedOutAgain) {
  HeadlessPlatform platform;
  const auto wave = WaveOfMs(1);
  const int sound = platform.SoundOpen("Tick", wave.data(), wave.size());
  std::vector<int> voices;
  for (int i = 0; i < 50; ++i) {
    voices.push_back(platform.SoundPlay(sound, false));
    platform.Busy(5);
  }
  std::sort(voices.begin(), voices.end());
  EXPECT_EQ(std::adjacent_find(voices.begin(), voices.end()), voices.end());
}

}  // namespace
}  // namespace brinecast
