// SDL's side of the desktop game's start-up: the library readied before anything else, its
// video started only on a display that shows something (or a driver chosen on purpose), the
// program's and the player's folders as SDL finds them, and the last-resort error box.
#pragma once

#include <filesystem>
#include <string>

namespace brinecast {

// Runs first in main: the program owns main(), and Ctrl+C and kill end it as usual instead of
// posing as the close button, which only asks the exit question.
void PrepareSdl();

// SDL's video and joystick for the life of the object. Throws std::runtime_error saying what is
// missing when no display answers, or when SDL fell back to a driver that shows nothing and
// SDL_VIDEODRIVER did not ask for it.
class SdlSession {
 public:
  SdlSession();
  ~SdlSession();
  SdlSession(const SdlSession&) = delete;
  SdlSession& operator=(const SdlSession&) = delete;
};

// The folder holding the executable (the working folder if SDL cannot tell).
std::filesystem::path ProgramFolder();

// The player's own folder, made if missing; empty when it cannot be made (why says why).
std::filesystem::path PlayerFolder(std::string& why);

// Tells the player why the game could not start: on standard error, and in a box unless the
// driver shows nothing (a box there would wait for a click nobody can give).
void ShowStartFailure(const std::string& text);

}  // namespace brinecast
