#include <gtest/gtest.h>

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

TEST(XmpModule, RepeatsAtItsEnd) {
  auto module = XmpModule::Load(kMenuSong);
  ASSERT_NE(module, nullptr);
  ASSERT_TRUE(module->Start(kRate));
  // The menu song lasts about 90 s: well past its end it still plays.
  Render(*module, 95);
  EXPECT_TRUE(Audible(Render(*module, 5)));
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
