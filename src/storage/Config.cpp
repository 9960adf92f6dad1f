// The options-and-high-scores record: defaults and the 220-byte stored form.
#include "storage/Config.h"

#include <algorithm>

#include "storage/HighScores.h"
#include "storage/RecordMask.h"
#include "storage/TypingRule.h"

namespace brinecast {

namespace {

constexpr size_t kMusicOn = 0;
constexpr size_t kSoundOn = 1;
constexpr size_t kWindowed = 2;
constexpr size_t kSendOnline = 3;
constexpr size_t kAddText = 4;
constexpr size_t kRowScore = 16;  // within a row; the name is at the row's start

using Record = std::array<uint8_t, TConfig::kRecordSize>;

size_t RowOffset(size_t index) {
  return TConfig::kRowSize * (index + 1);
}

// A length-prefixed text at offset; the characters beyond its length stay as they are.
void PutText(Record& out, size_t offset, const std::string& text, int row) {
  const size_t length = std::min(text.size(), TConfig::kMaxText);
  out[offset] = static_cast<uint8_t>(length);
  for (size_t i = 0; i < length; ++i) {
    const auto c = static_cast<uint8_t>(text[i]);
    out[offset + 1 + i] = row == 0 ? c : MaskNameChar(row, static_cast<int>(i), c);
  }
}

std::string GetText(std::span<const uint8_t> in, size_t offset, int row) {
  const size_t length = std::min<size_t>(in[offset], TConfig::kMaxText);
  std::string text(length, '\0');
  for (size_t i = 0; i < length; ++i) {
    const uint8_t c = in[offset + 1 + i];
    text[i] = static_cast<char>(row == 0 ? c : MaskNameChar(row, static_cast<int>(i), c));
  }
  // A damaged file must not hand the score server bytes it refuses with every
  // later submission.
  return CleanTypedText(text);
}

void PutU32(Record& out, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) out[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(std::span<const uint8_t> in, size_t offset) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(in[offset + i]) << (8 * i);
  return value;
}

}  // namespace

void SetDefaults(TConfig& config) {
  config.MusicOn = true;
  config.SoundOn = true;
  config.Windowed = false;
  config.AddText.clear();
  ResetHighScores(config);
}

std::array<uint8_t, TConfig::kRecordSize> WriteRecord(const TConfig& config) {
  Record out = config.Raw;
  out[kMusicOn] = config.MusicOn ? 1 : 0;
  out[kSoundOn] = config.SoundOn ? 1 : 0;
  out[kWindowed] = config.Windowed ? 1 : 0;
  out[kSendOnline] = config.SendOnline ? 1 : 0;
  PutText(out, kAddText, config.AddText, 0);
  for (size_t i = 0; i < config.HighScores.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const THighScore& entry = config.HighScores[i];
    PutText(out, RowOffset(i), entry.Name, row);
    PutU32(out, RowOffset(i) + kRowScore, MaskScore(row, entry.Score));
  }
  return out;
}

bool ReadRecord(std::span<const uint8_t> bytes, TConfig& config) {
  if (bytes.size() < TConfig::kRecordSize) return false;
  const std::span<const uint8_t> in = bytes.first(TConfig::kRecordSize);
  config.MusicOn = in[kMusicOn] != 0;
  config.SoundOn = in[kSoundOn] != 0;
  config.Windowed = in[kWindowed] != 0;
  config.SendOnline = in[kSendOnline] != 0;
  config.AddText = GetText(in, kAddText, 0);
  for (size_t i = 0; i < config.HighScores.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    THighScore& entry = config.HighScores[i];
    entry.Name = GetText(in, RowOffset(i), row);
    entry.Score = MaskScore(row, GetU32(in, RowOffset(i) + kRowScore));
  }
  std::copy(in.begin(), in.end(), config.Raw.begin());
  // Normalised now, so writing back what was read gives the same bytes again.
  config.Raw = WriteRecord(config);
  return true;
}

}  // namespace brinecast
