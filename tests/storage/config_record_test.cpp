// The 220-byte record: its layout byte for byte, normalisation and damaged input.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "storage/Config.h"
#include "storage/HighScores.h"
#include "storage/TypingRule.h"

namespace brinecast {
namespace {

using Record = std::array<uint8_t, TConfig::kRecordSize>;

TConfig KnownConfig() {
  TConfig config;
  config.MusicOn = true;
  config.SoundOn = false;
  config.Windowed = true;
  config.SendOnline = false;
  config.AddText = "Hello";
  ResetHighScores(config);
  config.HighScores[0] = {"Al", 12345};
  return config;
}

uint32_t U32At(const Record& bytes, size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
         static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

TEST(ConfigRecord, WritesEachFieldAtItsOffset) {
  const Record bytes = WriteRecord(KnownConfig());
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[2], 1);
  EXPECT_EQ(bytes[3], 0);
  EXPECT_EQ(bytes[4], 5);
  EXPECT_EQ(std::string(bytes.begin() + 5, bytes.begin() + 10), "Hello");
  // Row 1 at offset 20: length, masked characters, masked score at row offset 16.
  EXPECT_EQ(bytes[20], 2);
  EXPECT_EQ(bytes[21], 0x38);
  EXPECT_EQ(bytes[22], 0xEC);
  EXPECT_EQ(U32At(bytes, 36), 0x9E374980u);
  // Row 10 at offset 200: "Anonymous" with 1000.
  EXPECT_EQ(bytes[200], 9);
  EXPECT_EQ(U32At(bytes, 216), 1000u ^ (0x9E3779B9u * 10));
}

TEST(ConfigRecord, ReadsAHandmadeRecord) {
  Record bytes{};
  bytes[0] = 0;
  bytes[1] = 1;
  bytes[2] = 0;
  bytes[3] = 1;
  bytes[4] = 3;
  bytes[5] = 'a';
  bytes[6] = 'b';
  bytes[7] = 'c';
  bytes[8] = 'Z';  // beyond the length: not part of the text
  bytes[20] = 2;
  bytes[21] = 0x38;
  bytes[22] = 0xEC;
  bytes[36] = 0x80;
  bytes[37] = 0x49;
  bytes[38] = 0x37;
  bytes[39] = 0x9E;
  TConfig config;
  ASSERT_TRUE(ReadRecord(bytes, config));
  EXPECT_FALSE(config.MusicOn);
  EXPECT_TRUE(config.SoundOn);
  EXPECT_FALSE(config.Windowed);
  EXPECT_TRUE(config.SendOnline);
  EXPECT_EQ(config.AddText, "abc");
  EXPECT_EQ(config.HighScores[0], (THighScore{"Al", 12345}));
  // An all-zero row unmasks to an empty name and the mask's own key.
  EXPECT_EQ(config.HighScores[1], (THighScore{"", 0x3C6EF372u}));
}

TEST(ConfigRecord, RoundTripKeepsEveryField) {
  TConfig config = KnownConfig();
  config.HighScores[4] = {"Twelvecharsz", 0xFFFFFFFFu};
  config.HighScores[5] = {"", 0};
  config.AddText = "`\x80\x84";  // the keypad's characters
  TConfig back;
  ASSERT_TRUE(ReadRecord(WriteRecord(config), back));
  back.Raw = config.Raw;  // the stored bytes are checked by the layout tests
  EXPECT_EQ(back, config);
}

TEST(ConfigRecord, TextsTheTypingRuleCannotMakeAreCleanedAsTheyAreRead) {
  // Damaged texts as a faulty writer would have stored them, masks and all.
  TConfig damaged = KnownConfig();
  damaged.AddText = std::string("\x01hi there\x00", 10);
  for (THighScore& row : damaged.HighScores) row.Name = "ANN\x7f 2\xc6";
  damaged.HighScores[3].Name = "Bob";
  TConfig config;
  ASSERT_TRUE(ReadRecord(WriteRecord(damaged), config));
  EXPECT_EQ(config.AddText, "Hithere");
  for (size_t i = 0; i < config.HighScores.size(); ++i) {
    EXPECT_EQ(config.HighScores[i].Name, i == 3 ? "Bob" : "Ann") << "row " << i + 1;
    EXPECT_EQ(config.HighScores[i].Score, damaged.HighScores[i].Score) << "row " << i + 1;
  }
  // What is written back is the cleaned record.
  TConfig again;
  ASSERT_TRUE(ReadRecord(WriteRecord(config), again));
  EXPECT_EQ(again, config);
  EXPECT_EQ(WriteRecord(config)[4], 7);
}

TEST(ConfigRecord, WritingMasksACopyAndLeavesTheLiveConfigPlain) {
  const TConfig config = KnownConfig();
  TConfig live = config;
  const Record first = WriteRecord(live);
  EXPECT_EQ(live, config);
  EXPECT_EQ(WriteRecord(live), first);
}

TEST(ConfigRecord, UnspecifiedBytesAreWrittenBackAsRead) {
  Record bytes = WriteRecord(KnownConfig());
  const std::vector<size_t> loose = {10, 16, 17, 18, 19, 23, 32, 33, 34, 35, 210, 212, 213, 215};
  for (size_t offset : loose) bytes[offset] = static_cast<uint8_t>(0xA0 + offset % 16);
  TConfig config;
  ASSERT_TRUE(ReadRecord(bytes, config));
  EXPECT_EQ(config.AddText, "Hello");
  EXPECT_EQ(config.HighScores[0].Name, "Al");
  EXPECT_EQ(WriteRecord(config), bytes);
}

TEST(ConfigRecord, NonZeroBooleanBytesReadAsTrueAndAreWrittenAsOne) {
  for (int value : {1, 2, 127, 128, 255}) {
    Record bytes = WriteRecord(KnownConfig());
    for (size_t offset = 0; offset < 4; ++offset) bytes[offset] = static_cast<uint8_t>(value);
    TConfig config;
    ASSERT_TRUE(ReadRecord(bytes, config));
    EXPECT_TRUE(config.MusicOn && config.SoundOn && config.Windowed && config.SendOnline);
    config.Windowed = !config.Windowed;  // must switch off whatever byte was read
    EXPECT_FALSE(config.Windowed);
    const Record out = WriteRecord(config);
    EXPECT_EQ(out[0], 1) << value;
    EXPECT_EQ(out[1], 1) << value;
    EXPECT_EQ(out[2], 0) << value;
    EXPECT_EQ(out[3], 1) << value;
  }
}

TEST(ConfigRecord, StoredLengthsAboveTwelveReadAsTwelve) {
  Record bytes = WriteRecord(KnownConfig());
  bytes[4] = 200;
  for (size_t i = 5; i < 20; ++i) bytes[i] = static_cast<uint8_t>('a' + i - 5);
  TConfig longName = KnownConfig();
  longName.HighScores[9].Name = "Abcdefghijklmnop";
  const Record lastRow = WriteRecord(longName);
  std::copy(lastRow.begin() + 200, lastRow.end(), bytes.begin() + 200);
  bytes[200] = 255;  // row 10, the record's last name
  TConfig config;
  ASSERT_TRUE(ReadRecord(bytes, config));
  EXPECT_EQ(config.AddText, "abcdefghijkl");
  EXPECT_EQ(config.HighScores[9].Name, "Abcdefghijkl");
  EXPECT_EQ(config.HighScores[9].Score, 1000u);
  const Record out = WriteRecord(config);
  EXPECT_EQ(out[4], 12);
  EXPECT_EQ(out[200], 12);
}

TEST(ConfigRecord, OverlongTextsInMemoryAreCutWhenWritten) {
  TConfig config = KnownConfig();
  config.AddText = "Abcdefghijklmnop";
  config.HighScores[2].Name = "abcdefghijklmnop";
  TConfig back;
  ASSERT_TRUE(ReadRecord(WriteRecord(config), back));
  EXPECT_EQ(back.AddText, "Abcdefghijkl");
  EXPECT_EQ(back.HighScores[2].Name, "abcdefghijkl");
  EXPECT_EQ(config.AddText, "Abcdefghijklmnop");
}

TEST(ConfigRecord, ShortRecordsAreRefusedAndLeaveTheConfigUntouched) {
  const Record full = WriteRecord(KnownConfig());
  for (size_t size : {size_t{0}, size_t{1}, size_t{20}, size_t{219}}) {
    TConfig config = KnownConfig();
    config.SendOnline = true;
    const TConfig before = config;
    EXPECT_FALSE(ReadRecord(std::span<const uint8_t>(full.data(), size), config)) << size;
    EXPECT_EQ(config, before) << size;
  }
}

TEST(ConfigRecord, LongerInputUsesOnlyTheFirstRecord) {
  std::vector<uint8_t> bytes(500, 0xFF);
  const Record first = WriteRecord(KnownConfig());
  std::copy(first.begin(), first.end(), bytes.begin());
  TConfig config;
  ASSERT_TRUE(ReadRecord(bytes, config));
  EXPECT_EQ(config.AddText, "Hello");
  EXPECT_EQ(config.HighScores[0], (THighScore{"Al", 12345}));
  EXPECT_EQ(WriteRecord(config), first);
}

TEST(ConfigRecord, GarbageLoadsAndWritesBackTheSameNormalisedConfig) {
  Record bytes{};
  uint32_t state = 12345;
  for (int round = 0; round < 50; ++round) {
    for (uint8_t& b : bytes) {
      state = state * 1664525u + 1013904223u;
      b = static_cast<uint8_t>(state >> 24);
    }
    TConfig config;
    ASSERT_TRUE(ReadRecord(bytes, config));
    EXPECT_EQ(CleanTypedText(config.AddText), config.AddText);
    for (const THighScore& row : config.HighScores) EXPECT_EQ(CleanTypedText(row.Name), row.Name);
    TConfig again;
    ASSERT_TRUE(ReadRecord(WriteRecord(config), again));
    EXPECT_EQ(again, config);
  }
}

TEST(ConfigRecord, DefaultsKeepSendOnlineAndTheLooseBytes) {
  for (bool send : {false, true}) {
    TConfig config = KnownConfig();
    config.MusicOn = false;
    config.SoundOn = false;
    config.Windowed = true;
    config.SendOnline = send;
    config.Raw[17] = 0x42;
    SetDefaults(config);
    EXPECT_TRUE(config.MusicOn);
    EXPECT_TRUE(config.SoundOn);
    EXPECT_FALSE(config.Windowed);
    EXPECT_EQ(config.SendOnline, send);
    EXPECT_EQ(config.AddText, "");
    EXPECT_EQ(config.HighScores[0], (THighScore{"Anonymous", 10000}));
    EXPECT_EQ(config.HighScores[9], (THighScore{"Anonymous", 1000}));
    EXPECT_EQ(config.Raw[17], 0x42);
  }
}

}  // namespace
}  // namespace brinecast
