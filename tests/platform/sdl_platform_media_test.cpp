// Tests of the whole desktop platform's joystick, effects and music on SDL's dummy drivers.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "media/EmbeddedSounds.h"
#include "platform/sdl/SdlPlatform.h"

namespace brinecast {
namespace {

// The whole desktop platform on SDL's dummy drivers, as the game starts it.
class SdlPlatformMediaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK), 0) << SDL_GetError();
  }
  void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK); }

  static int JoystickRemovals(Platform& platform) {
    int removals = 0;
    PlatformEvent event;
    while (platform.PollEvent(event)) {
      removals += event.kind == PlatformEvent::Kind::JoystickRemoved ? 1 : 0;
    }
    return removals;
  }
};

TEST_F(SdlPlatformMediaTest, APadPluggedInIsReadAtOnceAndPullingItOutIsReported) {
  SdlPlatform platform;
  EXPECT_FALSE(platform.Joystick().present);
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2, 1);
  ASSERT_GE(index, 0) << SDL_GetError();
  EXPECT_EQ(JoystickRemovals(platform), 0);
  EXPECT_TRUE(platform.Joystick().present);
  SDL_JoystickDetachVirtual(index);
  EXPECT_EQ(JoystickRemovals(platform), 1);
  EXPECT_FALSE(platform.Joystick().present);
}

TEST_F(SdlPlatformMediaTest, EffectsAndMusicPlayThroughTheMixer) {
  SdlPlatform platform;
  const auto wave = EmbeddedWave("Up");
  const int sound = platform.SoundOpen("Up", wave.data(), wave.size());
  ASSERT_GE(sound, 0);
  const int voice = platform.SoundPlay(sound, false);
  EXPECT_TRUE(platform.SoundPlaying(voice));
  platform.SoundStop(voice);
  EXPECT_FALSE(platform.SoundPlaying(voice));
  EXPECT_EQ(platform.MusicLoad(std::string(BRINECAST_APPDIR) + "/Sound/missing.xm"), -1);
  const int module = platform.MusicLoad(std::string(BRINECAST_APPDIR) + "/Sound/1.xm");
  ASSERT_GE(module, 0);
  platform.MusicPlay(module);
  platform.MusicStop(module);
  platform.MusicFree(module);
  platform.MusicStop(module);  // freed: nothing to do
}

}  // namespace
}  // namespace brinecast
