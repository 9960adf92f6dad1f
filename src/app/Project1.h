// The main block: the one place that assembles the game from what an entry point hands it,
// runs it to its end, then follows the link file.
#pragma once

#include <functional>

#include "app/GameSetup.h"

namespace brinecast {

class Platform;
class TForm1;

// Creates Form1 from the setup (running its start-up), runs the main loop until the game
// terminates or the platform asks to quit, then opens "play.url" if it exists in the
// working directory. formCreated, when given, is told of the window once it exists and
// before its start-up runs (the simulator reads the game's state through it); formEnding once
// the loop has ended and a game still running has been recorded as unfinished. Every game is
// recorded unless the setup names its own recorder. Returns the process exit status.
int Project1(const GameSetup& setup, const std::function<void(TForm1&)>& formCreated = nullptr,
             const std::function<void(TForm1&)>& formEnding = nullptr);

// Opens "play.url" from the working directory if it is there.
void GoToLink(Platform& platform);

}  // namespace brinecast
