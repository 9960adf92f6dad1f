// The four synthesised sound effects, read back from the WAV files the build made.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<size_t>(i));
  return v;
}

struct Effect {
  const char* name;
  int channels, rate, bits;
  double seconds;
};

class SoundEffect : public testing::TestWithParam<Effect> {};

TEST_P(SoundEffect, HasItsExactFormatLengthAndACleanLevel) {
  const Effect e = GetParam();
  const auto path =
      std::filesystem::path(BRINECAST_BINARY_DIR) / "sounds" / (std::string(e.name) + ".wav");
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> b{std::istreambuf_iterator<char>(in), {}};
  ASSERT_GE(b.size(), 44u) << path;
  ASSERT_EQ(std::memcmp(b.data(), "RIFF", 4), 0);
  ASSERT_EQ(std::memcmp(b.data() + 8, "WAVEfmt ", 8), 0);
  EXPECT_EQ(Le(b, 4, 4) + 8, b.size());
  EXPECT_EQ(Le(b, 16, 4), 16u);
  EXPECT_EQ(Le(b, 20, 2), 1u) << "PCM";
  EXPECT_EQ(Le(b, 22, 2), static_cast<uint32_t>(e.channels));
  EXPECT_EQ(Le(b, 24, 4), static_cast<uint32_t>(e.rate));
  const uint32_t block = static_cast<uint32_t>(e.channels * e.bits / 8);
  EXPECT_EQ(Le(b, 28, 4), static_cast<uint32_t>(e.rate) * block);
  EXPECT_EQ(Le(b, 32, 2), block);
  EXPECT_EQ(Le(b, 34, 2), static_cast<uint32_t>(e.bits));
  ASSERT_EQ(std::memcmp(b.data() + 36, "data", 4), 0);
  const uint32_t size = Le(b, 40, 4);
  ASSERT_LE(44 + size, b.size());
  ASSERT_EQ(size % block, 0u);
  const size_t frames = size / block;
  EXPECT_NEAR(static_cast<double>(frames) / e.rate, e.seconds, e.seconds * 0.03);

  std::vector<double> samples;
  for (size_t i = 0; i < size; i += static_cast<size_t>(e.bits / 8)) {
    samples.push_back(e.bits == 16 ? static_cast<int16_t>(Le(b, 44 + i, 2)) / 32768.0
                                   : (static_cast<int>(b[44 + i]) - 128) / 128.0);
  }
  double peak = 0, sum = 0;
  for (double s : samples) {
    peak = std::max(peak, std::abs(s));
    sum += s * s;
  }
  const double rms = std::sqrt(sum / static_cast<double>(samples.size()));
  EXPECT_LT(peak, 0.8) << "too close to clipping";
  EXPECT_GT(peak, 0.3) << "too quiet";
  EXPECT_GT(rms, 0.01) << "nearly silent";
  // Starts and ends at rest, so playing or cutting it never clicks.
  const double quantum = e.bits == 8 ? 1.5 / 128 : 0.002;
  for (size_t c = 0; c < static_cast<size_t>(e.channels); ++c) {
    EXPECT_LT(std::abs(samples[c]), quantum);
    EXPECT_LT(std::abs(samples[samples.size() - static_cast<size_t>(e.channels) + c]), quantum);
  }
}

INSTANTIATE_TEST_SUITE_P(Effects, SoundEffect,
                         testing::Values(Effect{"Up", 2, 22050, 16, 4.7},
                                         Effect{"Poimal", 2, 22050, 16, 0.07},
                                         Effect{"Level", 1, 12000, 16, 1.8},
                                         Effect{"Over", 1, 11025, 8, 0.8}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
