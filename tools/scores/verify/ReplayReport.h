// What the replaying child says about a recording (one line of JSON), and the verdict on the
// score it was sent for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scores/store/ScoreStore.h"

namespace brinecast::scores {

struct ReplayReport {
  std::string verdict;  // "complete", "incomplete", "damaged", "inconsistent", "refused"
  int64_t score = 0;
  int64_t level = 0;
  uint64_t frames = 0;
  std::string state;  // hash of the final game state, hex
  bool complete = false;
  bool scripted = false;
  std::string name;  // as the game keeps it: bytes of its code page
  std::string note;
  std::string build;
  std::string message;
};

// The report in `line`, a flat JSON object; nothing when it is not one or lacks a field the
// verdict needs.
std::optional<ReplayReport> ReadReplayReport(std::string_view line);

// Proven only when the replay ran to the game's end without simulator steps and came to the
// score, name and note that were submitted. The game key names the replayed game (frames,
// final state and score), so one game proves one score.
RecordingVerdict Judge(const ReplayReport& report, const ScoreEntry& claimed);

}  // namespace brinecast::scores
