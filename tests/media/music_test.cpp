// Tests of the music library: replacing, failing to load and playing again a module.
#include "media/Music.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/headless/HeadlessPlatform.h"

namespace brinecast {
namespace {

const std::string kMenuSong = std::string(BRINECAST_APPDIR) + "/Sound/1.xm";
const std::string kGameSong = std::string(BRINECAST_APPDIR) + "/Sound/2.xm";
const std::string kMissing = std::string(BRINECAST_APPDIR) + "/Sound/3.xm";

TEST(Music, ALoadReplacesAndFreesTheModuleBeforeIt) {
  HeadlessPlatform platform;
  TMusic music(platform);
  ASSERT_TRUE(music.SongLoadFromFile(kMenuSong));
  music.SongPlay();
  EXPECT_EQ(platform.Music(), (MusicRecord{kMenuSong, true}));
  ASSERT_TRUE(music.SongLoadFromFile(kGameSong));
  EXPECT_EQ(platform.Music(), (MusicRecord{kGameSong, false}));
  music.SongPlay();
  EXPECT_EQ(platform.Music(), (MusicRecord{kGameSong, true}));
  EXPECT_EQ(music.File(), kGameSong);
}

TEST(Music, AFailedLoadStopsTheModuleHeardAndLeavesNone) {
  HeadlessPlatform platform;
  TMusic music(platform);
  ASSERT_TRUE(music.SongLoadFromFile(kMenuSong));
  music.SongPlay();
  EXPECT_FALSE(music.SongLoadFromFile(kMissing));
  EXPECT_FALSE(music.Loaded());
  EXPECT_FALSE(music.Playing());
  EXPECT_EQ(platform.Music(), MusicRecord{});
  music.SongPlay();  // nothing loaded: nothing happens
  music.SongStop();
  EXPECT_EQ(platform.Music(), MusicRecord{});
}

TEST(Music, OffThenOnPlaysTheModuleLoadedLastAgain) {
  HeadlessPlatform platform;
  TMusic music(platform);
  music.SongStop();  // before any load
  ASSERT_TRUE(music.SongLoadFromFile(kGameSong));
  music.SongPlay();
  music.SongStop();
  EXPECT_EQ(platform.Music(), (MusicRecord{kGameSong, false}));
  music.SongPlay();
  EXPECT_EQ(platform.Music(), (MusicRecord{kGameSong, true}));
}

}  // namespace
}  // namespace brinecast
