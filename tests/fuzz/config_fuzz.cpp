// Any bytes must load as a record or be refused, what loads must write and read
// back as the same normalised config, and every text must be one the typing rule
// could have made.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "storage/Config.h"
#include "storage/HighScores.h"
#include "storage/TypingRule.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brinecast::TConfig config;
  if (!brinecast::ReadRecord(std::span<const uint8_t>(data, size), config)) return 0;
  if (brinecast::CleanTypedText(config.AddText) != config.AddText) std::abort();
  for (const brinecast::THighScore& row : config.HighScores) {
    if (brinecast::CleanTypedText(row.Name) != row.Name) std::abort();
  }
  const auto bytes = brinecast::WriteRecord(config);
  brinecast::TConfig again;
  if (!brinecast::ReadRecord(bytes, again) || !(again == config)) std::abort();
  // The table's rules must hold on whatever was read.
  brinecast::SortHighScores(again);
  for (size_t i = 1; i < again.HighScores.size(); ++i) {
    if (again.HighScores[i].Score > again.HighScores[i - 1].Score) std::abort();
  }
  brinecast::InsertHighScore(again, "Fuzz", static_cast<int64_t>(size) - 100);
  return 0;
}
