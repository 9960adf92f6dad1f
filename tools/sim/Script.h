// One line of a simulator script parsed into a command, or a ScriptError naming the line.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace brinecast::sim {

// A script line that cannot be run: exit status 2 with the line and why.
class ScriptError : public std::runtime_error {
 public:
  ScriptError(int line, const std::string& reason)
      : std::runtime_error("line " + std::to_string(line) + ": " + reason), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

struct Command {
  enum class Op {
    Wait,
    Frames,
    Event,  // one window-system event (keys, mouse moves and buttons, window)
    Press,
    Hold,
    Click,
    Joystick,
    Snapshot,
    Screenshot,
    Quit,
    Set,        // name = what, number = value
    Spawn,      // name = "fish" or "object", kind, x, y, fromLeft
    Call,       // name = the procedure
    HttpReply,  // text = the body
    HttpFail,
  };
  int line = 0;
  std::string source;  // the line as written
  Op op = Op::Wait;
  uint64_t amount = 0;  // ms for wait and hold, count for frames
  PlatformEvent event;  // Event; key and alt for Press and Hold
  bool setsPointer = false;
  JoystickState joystick;
  std::string file;
  std::string name;
  std::string text;
  int64_t number = 0;
  int kind = 0;
  double x = 0;
  double y = 0;
  bool fromLeft = true;
};

// The longest wait a script may ask for: one day of game time.
constexpr uint64_t kLongestWaitMs = 24ULL * 60 * 60 * 1000;

// One script line as a command; nullopt for blanks and comments. Throws
// ScriptError for what cannot be read or cannot run yet.
std::optional<Command> ParseCommand(std::string_view text, int line);

}  // namespace brinecast::sim
