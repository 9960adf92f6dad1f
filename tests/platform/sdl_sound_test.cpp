// Tests of the SDL sound effects on the real mixer: opening, playing, stopping and the
// channels it makes.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <vector>

#include "media/EmbeddedSounds.h"
#include "platform/WaveBytes.h"
#include "platform/sdl/SdlMixer.h"
#include "platform/sdl/SdlSound.h"

namespace brinecast {
namespace {

// The real mixer on SDL's dummy audio driver: it plays in real time, unheard.
class SdlSoundTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy"); }

  int OpenLong() {
    const auto wave = EmbeddedWave("Up");  // several seconds: plays through the test
    return sound_.Open(wave.data(), wave.size());
  }

  SdlMixer mixer_;
  SdlSound sound_{mixer_.Open()};
};

TEST_F(SdlSoundTest, TheDeviceOpensAtSixteenBitStereo) {
  ASSERT_TRUE(mixer_.Open());
  EXPECT_EQ(mixer_.Rate(), 44100);
}

TEST_F(SdlSoundTest, EveryEffectOfTheGameLoadsAndPlays) {
  for (const char* name : {"Up", "Poimal", "Level", "Over"}) {
    const auto wave = EmbeddedWave(name);
    const int sound = sound_.Open(wave.data(), wave.size());
    ASSERT_GE(sound, 0) << name;
    const int voice = sound_.Play(sound, false);
    EXPECT_GE(voice, 0) << name;
  }
}

TEST_F(SdlSoundTest, StoppingAVoiceStopsOnlyThatVoice) {
  const int sound = OpenLong();
  const int first = sound_.Play(sound, false);
  const int second = sound_.Play(sound, false);
  ASSERT_NE(first, second);
  EXPECT_TRUE(sound_.Playing(first));
  EXPECT_TRUE(sound_.Playing(second));
  sound_.Stop(first);
  EXPECT_FALSE(sound_.Playing(first));
  EXPECT_TRUE(sound_.Playing(second));
}

TEST_F(SdlSoundTest, AFinishedVoicesHandleNeverReachesTheNextPlayOnItsChannel) {
  const int sound = OpenLong();
  const int old = sound_.Play(sound, false);
  sound_.Stop(old);
  const int next = sound_.Play(sound, false);  // takes the freed channel
  EXPECT_NE(old, next);
  EXPECT_FALSE(sound_.Playing(old));
  sound_.Stop(old);
  EXPECT_TRUE(sound_.Playing(next));
}

TEST_F(SdlSoundTest, MoreChannelsAreMadeWhenAllArePlaying) {
  const int sound = OpenLong();
  std::vector<int> voices;
  for (int i = 0; i < 20; ++i) voices.push_back(sound_.Play(sound, true));
  for (int voice : voices) {
    ASSERT_GE(voice, 0);
    EXPECT_TRUE(sound_.Playing(voice));
  }
  EXPECT_GE(Mix_AllocateChannels(-1), 20);
}

TEST_F(SdlSoundTest, ThereIsALimitToTheChannelsMade) {
  const int sound = OpenLong();
  int voices = 0;
  for (int i = 0; i < 400; ++i) voices += sound_.Play(sound, true) >= 0 ? 1 : 0;
  EXPECT_EQ(voices, 256);
  EXPECT_EQ(Mix_AllocateChannels(-1), 256);
}

TEST_F(SdlSoundTest, BadDataAndUnknownHandlesDoNothing) {
  const std::vector<uint8_t> garbage(200, 0x5A);
  EXPECT_EQ(sound_.Open(garbage.data(), garbage.size()), -1);
  EXPECT_EQ(sound_.Open(nullptr, 0), -1);
  EXPECT_EQ(sound_.Play(-1, false), -1);
  EXPECT_EQ(sound_.Play(99, false), -1);
  EXPECT_FALSE(sound_.Playing(-1));
  sound_.Stop(-1);
  sound_.Stop(99);
}

TEST(SdlSoundWithoutDevice, NothingOpensOrPlays) {
  SdlSound sound(false);
  const auto wave = test::MakeWave({});
  EXPECT_EQ(sound.Open(wave.data(), wave.size()), -1);
  EXPECT_EQ(sound.Play(0, false), -1);
  EXPECT_FALSE(sound.Playing(0));
}

}  // namespace
}  // namespace brinecast
