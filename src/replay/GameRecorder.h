// What the game tells whoever keeps its recording: a game starts, a set-up step runs, the
// game ends. The recorder writes a tape from it; a replay checks it against the tape.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "replay/Recording.h"

namespace brinecast::replay {

class GameRecorder {
 public:
  virtual ~GameRecorder() = default;
  // Called first thing in StartGame, before the game reads anything.
  virtual void GameStarts(const StartState& start) = 0;
  virtual void GameEnds(const EndState& end) = 0;
  virtual bool GameRunning() const = 0;
  // Frames shown since the game started.
  virtual uint64_t FramesShown() const = 0;
  // A simulator set-up step is about to run (its command line). A replay answers with the
  // line the recording holds, which the caller runs instead.
  virtual std::string ScriptStep(const std::string& line) = 0;
  // The last game recorded and finished, when this recorder keeps one.
  virtual std::optional<Recording>* Finished() { return nullptr; }
};

}  // namespace brinecast::replay
