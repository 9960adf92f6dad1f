// brinecast --replay: a recording file read and played back in the window for a watcher.
#pragma once

#include <optional>
#include <string>

namespace brinecast {

class Platform;

// Reads the recording at path and plays it on screen at the pace it was played (the watcher
// may pause, speed it up or leave). Returns what went wrong, for the player to read, or
// nothing when it played to its end or the watcher left.
std::optional<std::string> WatchRecording(const std::string& path, Platform& screen,
                                          const std::string& appDir, std::optional<bool> windowed);

// Tells the watcher what went wrong in the window, until they close the box.
void ShowProblem(Platform& screen, const std::string& text);

}  // namespace brinecast
