#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace brinecast {

class Platform;
class TForm1;

// The main block: creates Form1 (running its start-up), runs the main loop until
// the game terminates or the platform asks to quit, then opens "play.url" if it
// exists in the working directory. Returns the process exit status.
int Project1(Platform& platform, const std::string& appDir, uint64_t seed);

// The same, telling the caller of the window once it exists and before its
// start-up runs (the simulator reads the game's state through it).
int Project1(Platform& platform, const std::string& appDir, uint64_t seed,
             const std::function<void(TForm1&)>& formCreated);

// Opens "play.url" from the working directory if it is there.
void GoToLink(Platform& platform);

}  // namespace brinecast
