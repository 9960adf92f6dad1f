// Tests of reading a WAV file's header: the layouts it accepts, what it refuses and the
// game's effects' lengths.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "media/EmbeddedSounds.h"
#include "platform/WaveBytes.h"
#include "platform/headless/WaveHeader.h"

namespace brinecast {
namespace {

using test::MakeWave;
using test::Pcm;
using test::WaveSpec;
using test::With;

TEST(WaveHeader, LengthOfEachReadableLayout) {
  struct Case {
    const char* name;
    WaveSpec spec;
    uint32_t dataBytes;
    uint64_t ms;
  };
  const Case cases[] = {
      {"8-bit mono", Pcm(1, 1000, 8, 100), 100, 100},
      {"16-bit stereo", Pcm(2, 22050, 16, 22050), 88200, 1000},
      {"partial ms rounds up", Pcm(1, 3000, 8, 1), 1, 1},
      {"no frames", Pcm(2, 22050, 16, 0), 0, 0},
      {"odd chunk before data is padded",
       With(Pcm(1, 1000, 8, 250), [](WaveSpec& s) { s.extraChunk = "abc"; }), 250, 250},
      {"data cut short counts what is there",
       With(Pcm(1, 1000, 8, 40), [](WaveSpec& s) { s.dataDeclaredExtra = 1000; }), 40, 40},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> file = MakeWave(c.spec);
    const auto format = ReadWaveHeader(file.data(), file.size());
    ASSERT_TRUE(format.has_value()) << c.name;
    EXPECT_EQ(format->channels, c.spec.channels) << c.name;
    EXPECT_EQ(format->rate, c.spec.rate) << c.name;
    EXPECT_EQ(format->bits, c.spec.bits) << c.name;
    EXPECT_EQ(format->dataBytes, c.dataBytes) << c.name;
    EXPECT_EQ(WaveLengthMs(*format), c.ms) << c.name;
  }
}

TEST(WaveHeader, RefusesWhatIsNotAPlayablePcmFile) {
  std::vector<uint8_t> notRiff = MakeWave({});
  notRiff[0] = 'X';
  std::vector<uint8_t> notWave = MakeWave({});
  notWave[8] = 'X';
  const std::vector<uint8_t> full = MakeWave({});
  const std::vector<uint8_t> headerOnly(full.begin(), full.begin() + 20);
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  const std::vector<Case> cases = {
      {"empty", {}},
      {"not RIFF", notRiff},
      {"not WAVE", notWave},
      {"cut inside the format", headerOnly},
      {"no data chunk",
       MakeWave(With(Pcm(1, 1000, 8, 100), [](WaveSpec& s) { s.withData = false; }))},
      {"compressed", MakeWave(With(Pcm(1, 1000, 8, 100), [](WaveSpec& s) { s.formatTag = 2; }))},
      {"no channels", MakeWave(Pcm(0, 1000, 8, 100))},
      {"rate zero", MakeWave(Pcm(1, 0, 8, 100))},
      {"garbage", std::vector<uint8_t>(64, 0xA5)},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(ReadWaveHeader(c.bytes.data(), c.bytes.size()).has_value()) << c.name;
  }
  EXPECT_FALSE(ReadWaveHeader(nullptr, 100).has_value());
}

TEST(WaveHeader, AnOddLastChunkWithoutItsPadByteIsRefusedWithoutReadingPastTheEnd) {
  std::vector<uint8_t> wave = MakeWave(With(Pcm(1, 1000, 8, 100), [](WaveSpec& s) {
    s.extraChunk = "abc";
    s.withData = false;
  }));
  wave.pop_back();  // the pad byte
  // A buffer of exactly the file's size, so a read past its end is caught.
  const auto exact = std::make_unique<uint8_t[]>(wave.size());
  std::copy(wave.begin(), wave.end(), exact.get());
  EXPECT_FALSE(ReadWaveHeader(exact.get(), wave.size()).has_value());
}

TEST(WaveHeader, TheGamesEffectsLastAboutAsLongAsTheirRecordingsShould) {
  struct Case {
    const char* name;
    uint64_t ms;
  };
  for (const Case& c :
       {Case{"Up", 4700}, Case{"Poimal", 70}, Case{"Level", 1800}, Case{"Over", 800}}) {
    const auto wave = EmbeddedWave(c.name);
    const auto format = ReadWaveHeader(wave.data(), wave.size());
    ASSERT_TRUE(format.has_value()) << c.name;
    EXPECT_NEAR(static_cast<double>(WaveLengthMs(*format)), static_cast<double>(c.ms), c.ms * 0.15)
        << c.name;
  }
}

}  // namespace
}  // namespace brinecast
