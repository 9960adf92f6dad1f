#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace brinecast {

// One row of the high-score table: plain values in memory.
struct THighScore {
  std::string Name;  // at most 12 single-byte characters
  uint32_t Score = 0;
};

// The options and the high-score table: the one 220-byte record of Config.cfg.
struct TConfig {
  static constexpr size_t kRecordSize = 220;

  bool MusicOn = false;
  bool SoundOn = false;
  bool Windowed = false;
  bool SendOnline = false;
  std::string AddText;  // at most 12 single-byte characters
  std::array<THighScore, 10> HighScores{};
  // The bytes the record leaves unspecified, kept as they were read.
  std::array<uint8_t, kRecordSize> Raw{};
};

// Music and sound on, full screen, no text, the default table; SendOnline untouched.
void SetDefaults(TConfig& config);

// The record's bytes, names and scores masked as stored.
std::array<uint8_t, TConfig::kRecordSize> WriteRecord(const TConfig& config);
// Fills config from a stored record; false (config untouched) unless exactly
// kRecordSize bytes or more are given. Any bytes load without harm.
bool ReadRecord(std::span<const uint8_t> bytes, TConfig& config);

}  // namespace brinecast
