// Tests of the headless platform's music: which files load, and one module replacing another.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless/HeadlessPlatform.h"
#include "support/ScratchFolder.h"

namespace brinecast {
namespace {

namespace fs = std::filesystem;

const std::string kMenuSong = std::string(BRINECAST_APPDIR) + "/Sound/1.xm";
const std::string kGameSong = std::string(BRINECAST_APPDIR) + "/Sound/2.xm";

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(HeadlessMusic, MissingUnreadableAndBrokenFilesDoNotLoad) {
  testing::ScratchFolder folder("brinecast-music");
  WriteFile(folder.Path() / "garbage.xm", std::string(4000, 'x'));
  WriteFile(folder.Path() / "empty.xm", "");
  std::ifstream in(kMenuSong, std::ios::binary);
  const std::string song{std::istreambuf_iterator<char>(in), {}};
  ASSERT_GT(song.size(), 400U);
  WriteFile(folder.Path() / "cut.xm", song.substr(0, 200));  // the header only
  HeadlessPlatform platform;
  for (const fs::path& path :
       {folder.Path() / "missing.xm", folder.Path() / "garbage.xm", folder.Path() / "empty.xm",
        folder.Path() / "cut.xm", folder.Path()}) {
    EXPECT_EQ(platform.MusicLoad(path.string()), -1) << path;
  }
  EXPECT_EQ(platform.Music(), MusicRecord{});
}

TEST(HeadlessMusic, TheGamesModulesLoadAndPlayingOneReplacesTheOther) {
  HeadlessPlatform platform;
  const int menu = platform.MusicLoad(kMenuSong);
  const int game = platform.MusicLoad(kGameSong);
  ASSERT_GE(menu, 0);
  ASSERT_GE(game, 0);
  EXPECT_NE(menu, game);
  EXPECT_EQ(platform.Music(), (MusicRecord{kGameSong, false}));  // loaded last, silent
  platform.MusicPlay(menu);
  EXPECT_EQ(platform.Music(), (MusicRecord{kMenuSong, true}));
  platform.MusicPlay(game);
  EXPECT_EQ(platform.Music(), (MusicRecord{kGameSong, true}));
  platform.MusicStop(menu);  // not the one heard
  EXPECT_EQ(platform.Music(), (MusicRecord{kGameSong, true}));
  platform.MusicFree(game);
  EXPECT_EQ(platform.Music(), MusicRecord{});
  platform.MusicPlay(game);  // freed: nothing
  platform.MusicPlay(-1);
  EXPECT_EQ(platform.Music(), MusicRecord{});
}

TEST(HeadlessMusic, LoadsFromAFolderWhoseNameIsNotAscii) {
  testing::ScratchFolder folder("brinecast-music");
  const fs::path named = folder.Path() / fs::path(u8"Игры ñ 魚");
  fs::create_directories(named);
  fs::copy_file(kMenuSong, named / "1.xm");
  const std::u8string utf8 = (named / "1.xm").u8string();
  const std::string path(utf8.begin(), utf8.end());
  HeadlessPlatform platform;
  const int module = platform.MusicLoad(path);
  EXPECT_GE(module, 0);
  platform.MusicPlay(module);
  EXPECT_EQ(platform.Music(), (MusicRecord{path, true}));
}

}  // namespace
}  // namespace brinecast
