// The browser's WAV reader: every PCM layout the game may hand it, and files it must refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/WaveBytes.h"
#include "platform/web/WaveDecoder.h"

namespace brinecast {
namespace {

using test::MakeWave;
using test::Pcm;
using test::WaveSpec;

// A wave of the layout whose sample bytes are exactly `samples` (the data chunk ends the file).
std::vector<uint8_t> WaveOf(WaveSpec spec, const std::vector<uint8_t>& samples) {
  std::vector<uint8_t> file = MakeWave(spec);
  std::copy(samples.begin(), samples.end(), file.end() - static_cast<long>(samples.size()));
  return file;
}

struct LayoutCase {
  const char* name;
  uint16_t channels;
  uint16_t bits;
  std::vector<uint8_t> samples;
  std::vector<float> expected;  // interleaved left, right
};

TEST(WaveDecoder, ReadsEveryPcmLayoutAsStereoFloats) {
  const std::vector<LayoutCase> cases = {
      {"8-bit mono",
       1,
       8,
       {0, 128, 255, 192},
       {-1, -1, 0, 0, 127 / 128.0F, 127 / 128.0F, 0.5F, 0.5F}},
      {"8-bit stereo", 2, 8, {64, 192, 128, 0}, {-0.5F, 0.5F, 0, -1}},
      {"16-bit mono",
       1,
       16,
       {0x00, 0x80, 0xFF, 0x7F},
       {-1, -1, 32767 / 32768.0F, 32767 / 32768.0F}},
      {"16-bit stereo", 2, 16, {0x00, 0x40, 0x00, 0xC0}, {0.5F, -0.5F}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    const uint32_t frames = static_cast<uint32_t>(c.samples.size() / (c.channels * c.bits / 8));
    const std::vector<uint8_t> file = WaveOf(Pcm(c.channels, 22050, c.bits, frames), c.samples);
    const auto wave = DecodeWave(file.data(), file.size());
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->rate, 22050U);
    EXPECT_EQ(wave->frames, c.expected);
  }
}

TEST(WaveDecoder, SkipsOtherChunksAndPlaysOnlyTheDataPresent) {
  WaveSpec spec = Pcm(1, 8000, 16, 3);
  spec.extraChunk = "odd";  // padded to an even size before the data
  const std::vector<uint8_t> whole = WaveOf(spec, {0, 0x40, 0, 0xC0, 0, 0});
  const auto wave = DecodeWave(whole.data(), whole.size());
  ASSERT_TRUE(wave.has_value());
  EXPECT_EQ(wave->frames, (std::vector<float>{0.5F, 0.5F, -0.5F, -0.5F, 0, 0}));

  // Declared longer than the file, and cut inside a frame: the whole frames there are play.
  spec.dataDeclaredExtra = 100;
  std::vector<uint8_t> cut = WaveOf(spec, {0, 0x40, 0, 0xC0, 0, 0});
  cut.pop_back();
  const auto shorter = DecodeWave(cut.data(), cut.size());
  ASSERT_TRUE(shorter.has_value());
  EXPECT_EQ(shorter->FrameCount(), 2U);
}

TEST(WaveDecoder, RefusesWhatIsNotPlayablePcm) {
  const std::vector<uint8_t> good = MakeWave(Pcm(1, 11025, 8, 10));
  std::vector<uint8_t> notRiff = good;
  notRiff[0] = 'X';
  std::vector<uint8_t> notWave = good;
  notWave[8] = 'X';
  const std::vector<std::pair<const char*, std::vector<uint8_t>>> cases = {
      {"not RIFF", notRiff},
      {"not WAVE", notWave},
      {"float samples",
       MakeWave(test::With(Pcm(1, 11025, 32, 10), [](WaveSpec& s) { s.formatTag = 3; }))},
      {"24-bit", MakeWave(Pcm(1, 11025, 24, 10))},
      {"three channels", MakeWave(Pcm(3, 11025, 16, 10))},
      {"rate zero", MakeWave(Pcm(1, 0, 16, 10))},
      {"no data chunk",
       MakeWave(test::With(Pcm(1, 11025, 8, 10), [](WaveSpec& s) { s.withData = false; }))},
      {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(DecodeWave(bytes.data(), bytes.size()).has_value());
  }
  EXPECT_FALSE(DecodeWave(nullptr, 0).has_value());
  ASSERT_TRUE(DecodeWave(good.data(), good.size()).has_value());
}

}  // namespace
}  // namespace brinecast
