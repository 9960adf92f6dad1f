// Tests of the sound effects built into the program, found by name in any letter case.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/EmbeddedSounds.h"

namespace brinecast {
namespace {

TEST(EmbeddedWave, HoldsTheBytesOfEachBuiltWaveFileWhateverTheCase) {
  for (const char* name : {"Up", "Poimal", "Level", "Over"}) {
    std::ifstream in(
        std::filesystem::path(BRINECAST_BINARY_DIR) / "sounds" / (std::string(name) + ".wav"),
        std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(file.empty()) << name;
    const auto embedded = EmbeddedWave(name);
    EXPECT_EQ(std::vector<uint8_t>(embedded.begin(), embedded.end()), file) << name;

    std::string lower(name), upper(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(EmbeddedWave(lower).data(), embedded.data()) << lower;
    EXPECT_EQ(EmbeddedWave(upper).data(), embedded.data()) << upper;
  }
}

TEST(EmbeddedWave, UnknownNamesGiveNothing) {
  for (const char* name : {"", "U", "Upp", "Up ", "Over.wav", "Level\n"}) {
    EXPECT_TRUE(EmbeddedWave(name).empty()) << '"' << name << '"';
  }
}

}  // namespace
}  // namespace brinecast
