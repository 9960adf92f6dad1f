// Tests of the SDL music player on the dummy audio driver, with and without a device.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/sdl/SdlMixer.h"
#include "platform/sdl/SdlMusic.h"

namespace brinecast {
namespace {

const std::string kMenuSong = std::string(BRINECAST_APPDIR) + "/Sound/1.xm";
const std::string kGameSong = std::string(BRINECAST_APPDIR) + "/Sound/2.xm";

class SdlMusicTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy"); }

  // What the mixer's hook would receive for about a second.
  bool HookGivesSound() {
    std::vector<uint8_t> stream(44100 * 4, 0x33);
    SdlMusic::Feed(&music_, stream.data(), static_cast<int>(stream.size()));
    return std::any_of(stream.begin(), stream.end(), [](uint8_t b) { return b != 0; });
  }

  SdlMixer mixer_;
  SdlMusic music_{mixer_.Rate()};
};

TEST_F(SdlMusicTest, MissingAndBrokenFilesGiveNoModule) {
  ASSERT_TRUE(mixer_.Open());
  EXPECT_EQ(music_.Load(std::string(BRINECAST_APPDIR) + "/Sound/none.xm"), -1);
  EXPECT_EQ(music_.Load(BRINECAST_APPDIR), -1);
  EXPECT_EQ(music_.Load(std::string(BRINECAST_APPDIR) + "/Data/MenuImgs.dxg"), -1);
}

TEST_F(SdlMusicTest, APlayedModuleIsHeardThroughTheHookUntilStopped) {
  const int menu = music_.Load(kMenuSong);
  ASSERT_GE(menu, 0);
  EXPECT_FALSE(HookGivesSound());
  music_.Play(menu);
  EXPECT_TRUE(music_.Playing(menu));
  EXPECT_TRUE(HookGivesSound());
  music_.Stop(menu);
  EXPECT_FALSE(music_.Playing(menu));
  EXPECT_FALSE(HookGivesSound());
}

TEST_F(SdlMusicTest, PlayingAModuleReplacesTheOneHeard) {
  const int menu = music_.Load(kMenuSong);
  const int game = music_.Load(kGameSong);
  ASSERT_GE(menu, 0);
  ASSERT_GE(game, 0);
  music_.Play(menu);
  music_.Play(game);
  EXPECT_FALSE(music_.Playing(menu));
  EXPECT_TRUE(music_.Playing(game));
  music_.Stop(menu);  // not heard: changes nothing
  EXPECT_TRUE(music_.Playing(game));
  music_.Free(game);
  EXPECT_FALSE(music_.Playing(game));
  EXPECT_FALSE(HookGivesSound());
  music_.Play(game);  // freed
  EXPECT_FALSE(music_.Playing(game));
}

TEST(SdlMusicWithoutDevice, ModulesStillLoadSoAMissingFileIsReportedAlike) {
  SdlMusic music(0);
  EXPECT_EQ(music.Load(std::string(BRINECAST_APPDIR) + "/Sound/none.xm"), -1);
  const int menu = music.Load(kMenuSong);
  EXPECT_GE(menu, 0);
  music.Play(menu);
  std::vector<uint8_t> stream(4096, 0x33);
  SdlMusic::Feed(&music, stream.data(), static_cast<int>(stream.size()));
  EXPECT_TRUE(std::all_of(stream.begin(), stream.end(), [](uint8_t b) { return b == 0; }));
}

}  // namespace
}  // namespace brinecast
