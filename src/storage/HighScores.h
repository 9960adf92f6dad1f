// The high-score table's rules: defaults, the start-up sort, qualification and insertion.
#pragma once

#include <cstdint>
#include <string>

#include "storage/Config.h"

namespace brinecast {

// Ten rows "Anonymous" with 10000, 9000, ..., 1000.
void ResetHighScores(TConfig& config);
// Selection sort, best first; among equal scores the upper row first.
void SortHighScores(TConfig& config);
// Whether a finished game's score enters the table (beats row 10, unsigned).
bool Qualifies(int64_t score, const TConfig& config);
// Inserts below every row that is at least as good, dropping the old row 10;
// the name is cut to 12 characters and the score to at most 4294967295. Returns
// the row (1..10), or 0 with the table unchanged when the score does not qualify.
int InsertHighScore(TConfig& config, const std::string& name, int64_t score);

}  // namespace brinecast
