// Tests of the module player: rendering, repeating at the end and reading module files.
#include <gtest/gtest.h>
#include <xmp.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/XmpModule.h"

namespace brinecast {
namespace {

const std::string kMenuSong = std::string(BRINECAST_APPDIR) + "/Sound/1.xm";
constexpr int kRate = 8000;
constexpr int kFrameBytes = 4;  // 16-bit stereo

bool Audible(const std::vector<uint8_t>& sound) {
  return std::any_of(sound.begin(), sound.end(), [](uint8_t b) { return b != 0; });
}

std::vector<uint8_t> Render(XmpModule& module, int seconds) {
  std::vector<uint8_t> sound(static_cast<size_t>(kRate * kFrameBytes * seconds));
  module.Render(sound.data(), static_cast<int>(sound.size()));
  return sound;
}

TEST(XmpModule, RendersSilenceUntilStartedAndMusicAfterwards) {
  auto module = XmpModule::Load(kMenuSong);
  ASSERT_NE(module, nullptr);
  std::vector<uint8_t> sound(4096, 0x55);
  module->Render(sound.data(), static_cast<int>(sound.size()));
  EXPECT_FALSE(Audible(sound));
  ASSERT_TRUE(module->Start(kRate));
  EXPECT_TRUE(Audible(Render(*module, 2)));
  module->End();
  EXPECT_FALSE(module->Started());
  EXPECT_FALSE(Audible(Render(*module, 1)));
}

// The module's own length by the player, in whole seconds rounded up.
int LengthSeconds(const std::string& path) {
  xmp_context player = xmp_create_context();
  int seconds = -1;
  if (xmp_load_module(player, path.c_str()) == 0) {
    if (xmp_start_player(player, kRate, 0) == 0) {
      xmp_frame_info info;
      xmp_get_frame_info(player, &info);
      seconds = (info.total_time + 999) / 1000;
      xmp_end_player(player);
    }
    xmp_release_module(player);
  }
  xmp_free_context(player);
  return seconds;
}

TEST(XmpModule, RepeatsAtItsEnd) {
  const int length = LengthSeconds(kMenuSong);
  ASSERT_GT(length, 10);
  auto module = XmpModule::Load(kMenuSong);
  ASSERT_NE(module, nullptr);
  ASSERT_TRUE(module->Start(kRate));
  Render(*module, length + 2);
  EXPECT_TRUE(Audible(Render(*module, 3)));  // past its end it plays on
}

TEST(XmpModule, ReadWholeFileRefusesFoldersMissingAndOversizedFiles) {
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(ReadWholeFile(BRINECAST_APPDIR, 1 << 20, bytes));
  EXPECT_FALSE(ReadWholeFile(std::string(BRINECAST_APPDIR) + "/no such file", 1 << 20, bytes));
  EXPECT_FALSE(ReadWholeFile(kMenuSong, 100, bytes));
  ASSERT_TRUE(ReadWholeFile(kMenuSong, 1 << 24, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 17), "Extended Module: ");
}

}  // namespace
}  // namespace brinecast
