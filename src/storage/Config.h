// The options-and-high-scores record held in memory, and its 220-byte stored form.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "storage/TypingRule.h"

namespace brinecast {

// One row of the high-score table: plain values in memory.
struct THighScore {
  std::string Name;  // at most 12 single-byte characters
  uint32_t Score = 0;

  friend bool operator==(const THighScore&, const THighScore&) = default;
};

// The options and the high-score table: the one 220-byte record of Config.cfg.
struct TConfig {
  static constexpr size_t kRecordSize = 220;
  static constexpr size_t kMaxText = kMaxTypedLength;  // of AddText and of a name
  static constexpr size_t kRowSize = 20;               // row i (1..10) starts at kRowSize * i

  bool MusicOn = false;
  bool SoundOn = false;
  bool Windowed = false;
  bool SendOnline = false;
  std::string AddText;  // at most 12 single-byte characters
  std::array<THighScore, 10> HighScores{};
  // The bytes the record leaves unspecified, kept as they were read. After
  // ReadRecord it equals what WriteRecord gives for the config read.
  std::array<uint8_t, kRecordSize> Raw{};

  friend bool operator==(const TConfig&, const TConfig&) = default;
};

// Music and sound on, full screen, no text, the default table; SendOnline untouched.
void SetDefaults(TConfig& config);

// The record's bytes, names and scores masked as stored. Booleans are written
// as 0 or 1, texts longer than 12 characters are cut; the config is not changed.
std::array<uint8_t, TConfig::kRecordSize> WriteRecord(const TConfig& config);
// Fills config from a stored record; false (config untouched) unless exactly
// kRecordSize bytes or more are given (only the first kRecordSize are used).
// Any bytes load without harm: non-zero Booleans read as true, stored lengths
// above 12 as 12, and texts are cleaned to what the typing rule could have typed.
bool ReadRecord(std::span<const uint8_t> bytes, TConfig& config);

}  // namespace brinecast
