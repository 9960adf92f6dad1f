// Replaying a recording headless to prove what it holds: the simulator's --verify and the
// score server's check of a submitted game both come here.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace brinecast {

class TForm1;

// What replaying a recording found.
struct VerifyReport {
  enum class Verdict {
    kComplete,      // replayed to the game's end, every reading where it was recorded
    kIncomplete,    // consistent, but the recording stops before the game ended
    kDamaged,       // not a readable recording
    kInconsistent,  // readable, but the replay went another way than the recording says
    kRefused,       // another format version or another build: never replayed
  };
  Verdict verdict = Verdict::kDamaged;
  std::string message;  // why, when not kComplete
  int64_t score = 0;
  int level = 0;  // the last level reached
  uint64_t frames = 0;
  uint64_t state = 0;  // hash of the final game state
  bool complete = false;
  // Holds the simulator's set-up steps (set, spawn, call): never proof of a player's game.
  bool scripted = false;
  // The name and note stamped on the recording at the name entry; empty when none.
  std::string name;
  std::string note;
  std::string build;  // the build that played it

  // One line of JSON: score, level, frames, state (hex), complete, verdict, and the rest.
  std::string Json() const;
  // 0 complete and consistent, 1 damaged, inconsistent or incomplete, 2 refused.
  int ExitStatus() const;
};

// Replays the recording on a silent headless machine, reading the game's pictures from
// dataDir (the folder holding Data/). Never throws for anything a file can hold.
VerifyReport VerifyRecording(std::span<const uint8_t> bytes, const std::string& dataDir);
// The same, with runScript running the simulator's set-up steps a recording may hold.
VerifyReport VerifyRecording(std::span<const uint8_t> bytes, const std::string& dataDir,
                             const std::function<void(TForm1&, const std::string&)>& runScript);

}  // namespace brinecast
