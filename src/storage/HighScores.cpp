// The high-score table's rules: defaults, the start-up sort, qualification and insertion.
#include "storage/HighScores.h"

#include <algorithm>
#include <utility>

namespace brinecast {

namespace {

constexpr uint32_t kMaxStored = 0xFFFFFFFFu;

// A row moves whole, with the stored bytes it leaves unspecified.
uint8_t* RowBytes(TConfig& config, size_t index) {
  return config.Raw.data() + TConfig::kRowSize * (index + 1);
}

void SwapRows(TConfig& config, size_t a, size_t b) {
  std::swap(config.HighScores[a], config.HighScores[b]);
  std::swap_ranges(RowBytes(config, a), RowBytes(config, a) + TConfig::kRowSize,
                   RowBytes(config, b));
}

// The one comparison of a game's score with a stored row.
bool Beats(int64_t score, uint32_t stored) {
  if (score < 0) return false;
  if (score > static_cast<int64_t>(kMaxStored)) return true;
  return static_cast<uint32_t>(score) > stored;
}

}  // namespace

void ResetHighScores(TConfig& config) {
  for (size_t i = 0; i < config.HighScores.size(); ++i) {
    config.HighScores[i] = {"Anonymous", static_cast<uint32_t>(10 - i) * 1000};
  }
}

void SortHighScores(TConfig& config) {
  const size_t rows = config.HighScores.size();
  for (size_t i = 0; i + 1 < rows; ++i) {
    size_t best = i;
    for (size_t j = i + 1; j < rows; ++j) {
      if (config.HighScores[j].Score > config.HighScores[best].Score) best = j;
    }
    if (best != i) SwapRows(config, i, best);
  }
}

bool Qualifies(int64_t score, const TConfig& config) {
  return Beats(score, config.HighScores.back().Score);
}

int InsertHighScore(TConfig& config, const std::string& name, int64_t score) {
  const size_t rows = config.HighScores.size();
  size_t p = 0;  // 0-based place of the new row
  for (size_t i = rows; i-- > 0;) {
    if (!Beats(score, config.HighScores[i].Score)) {
      p = i + 1;
      break;
    }
  }
  if (p >= rows) return 0;
  for (size_t i = rows - 1; i > p; --i) {
    config.HighScores[i] = config.HighScores[i - 1];
    std::copy_n(RowBytes(config, i - 1), TConfig::kRowSize, RowBytes(config, i));
  }
  // A score beyond the row's 32 bits keeps the most a row holds, not its low bits.
  const auto stored = static_cast<uint32_t>(std::min<int64_t>(score, kMaxStored));
  config.HighScores[p] = {name.substr(0, TConfig::kMaxText), stored};
  return static_cast<int>(p) + 1;
}

}  // namespace brinecast
