#pragma once

#include <cstdint>
#include <string>

namespace brinecast {

class Platform;

// The main block: creates Form1 (running its start-up), runs the main loop until
// the game terminates or the platform asks to quit, then opens "play.url" if it
// exists in the working directory. Returns the process exit status.
int Project1(Platform& platform, const std::string& appDir, uint64_t seed);

}  // namespace brinecast
