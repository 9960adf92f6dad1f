// The simulator's set-up commands (set, spawn, call), run inside the game as a
// handler would run them.
#pragma once

#include "Script.h"

namespace brinecast {
class TForm1;
}

namespace brinecast::sim {

// Throws ScriptError for a set-up the game cannot take now.
void CheckSetup(const TForm1& form, const Command& command);
void RunSetup(TForm1& form, const Command& command);

}  // namespace brinecast::sim
