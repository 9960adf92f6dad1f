// The simulator's set-up commands (set, spawn, call), run inside the game as a
// handler would run them.
#pragma once

#include <string_view>

#include "Script.h"

namespace brinecast {
class TForm1;
}

namespace brinecast::sim {

// The names `set` and `call` take, from the one table that also runs them.
bool CanSet(std::string_view name);
bool CanCall(std::string_view name);

// Throws ScriptError for a set-up the game cannot take now.
void CheckSetup(const TForm1& form, const Command& command);
void RunSetup(TForm1& form, const Command& command);

}  // namespace brinecast::sim
