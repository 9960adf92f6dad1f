// The main block: the one place that assembles the game from what an entry point hands it,
// runs it to its end, then follows the link file.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "app/GameSetup.h"
#include "replay/RecordingPlatform.h"

namespace brinecast {

class Platform;
class TForm1;

// Form1 put together from the setup, its start-up not yet run. Every game is recorded: unless
// the setup names its own recorder (a replay names its tape), a recorder stands between the
// game and the machine.
class AssembledGame {
 public:
  explicit AssembledGame(const GameSetup& setup);
  ~AssembledGame();
  AssembledGame(const AssembledGame&) = delete;
  AssembledGame& operator=(const AssembledGame&) = delete;

  TForm1& Form() { return *form_; }

 private:
  std::optional<replay::RecordingPlatform> recorder_;
  std::unique_ptr<TForm1> form_;
};

// Runs the start-up, then the main loop until the game terminates or the platform asks to
// quit; a game still running then is kept, unfinished.
void RunGame(TForm1& form);

// Assembles Form1 from the setup and runs it, then opens "play.url" if it exists in the
// working directory. formCreated, when given, is told of the window once it exists and
// before its start-up runs (the simulator reads the game's state through it); formEnding once
// the loop has ended and a game still running has been recorded as unfinished. Returns the
// process exit status.
int Project1(const GameSetup& setup, const std::function<void(TForm1&)>& formCreated = nullptr,
             const std::function<void(TForm1&)>& formEnding = nullptr);

// Opens "play.url" from the working directory if it is there.
void GoToLink(Platform& platform);

}  // namespace brinecast
