// Playing a recording back: a fresh game on the recording's tape, shown on any platform.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "replay/Recording.h"
#include "replay/TapePlatform.h"

namespace brinecast {

class Platform;
class TForm1;

struct ReplayOutcome {
  std::optional<replay::EndState> end;  // how the replayed game ended (or where it stopped)
  bool consistent = false;              // every reading and the end as recorded
  std::string failure;                  // why not, when not consistent
};

struct ReplayOptions {
  // The folder holding Data/ and Sound/.
  std::string appDir;
  // Sets the pace of a watched replay; null runs as fast as the machine goes.
  replay::ReplayPace* pace = nullptr;
  bool draws = true;
  std::optional<bool> windowed = true;
  // Runs a simulator set-up step's line on the game; null refuses recordings holding them.
  std::function<void(TForm1&, const std::string&)> runScript;
};

// Builds a game on inner (never touching Config.cfg), puts it where the recording's game
// started, starts it and lets the tape play it until the game ends or the tape does.
ReplayOutcome ReplayGame(const replay::Recording& recording, Platform& inner,
                         const ReplayOptions& options);

}  // namespace brinecast
