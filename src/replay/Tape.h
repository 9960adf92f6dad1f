// The tape: everything the game read from the machine during a recorded game, in the order
// it read it, compactly coded. The recorder writes it; the replay answers from it.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "replay/ByteCoding.h"

namespace brinecast::replay {

// The yes-or-no answers the game reads from the machine.
enum class Answer : uint8_t {
  kActive,         // IsActive
  kFullScreen,     // IsFullScreen
  kCursorShown,    // CursorShown
  kFullScreenSet,  // SetFullScreen's result
  kOpened,         // OpenUrl's result
  kBoxOkHit,       // MessageBoxOkHit
  kMusicLoaded,    // MusicLoad gave a module
};

// The replay asked for another reading than the tape holds next, or for one past its end.
struct TapeMismatch : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class TapeWriter {
 public:
  // start: the clock when the game started; the first reading is coded against it.
  explicit TapeWriter(uint64_t start) : lastTicks_(start) {}

  void Ticks(uint64_t now);
  void Event(const PlatformEvent* event);  // nullptr: no event was pending
  void Flag(Answer answer, bool value);
  void Joystick(const JoystickState& state);
  // A simulator set-up step's command line, run as the event before it was handled.
  void Script(const std::string& line);

  const std::vector<uint8_t>& Bytes() const { return out_.Out(); }
  uint64_t Entries() const { return entries_; }
  bool Scripted() const { return scripted_; }

 private:
  ByteWriter out_;
  uint64_t lastTicks_;
  JoystickState lastJoystick_{};
  int lastX_ = 0;
  int lastY_ = 0;
  uint64_t entries_ = 0;
  bool scripted_ = false;
};

class TapeReader {
 public:
  TapeReader(std::span<const uint8_t> tape, uint64_t start);

  bool AtEnd() const { return in_.AtEnd(); }
  uint64_t Ticks();
  // False for "no event was pending".
  bool Event(PlatformEvent& event);
  bool Flag(Answer answer);
  JoystickState Joystick();
  std::string Script();
  uint64_t LastTicks() const { return lastTicks_; }
  // Bytes of the tape read so far.
  size_t Consumed() const { return in_.Position(); }

 private:
  uint8_t Take(const char* wanted);

  ByteReader in_;
  uint64_t lastTicks_;
  JoystickState lastJoystick_{};
  int lastX_ = 0;
  int lastY_ = 0;
};

// Where the tape's one-byte clock steps are, in order: for tools and tests that look into a
// recording. Throws DamagedRecording for a tape that cannot be walked.
std::vector<size_t> ClockStepOffsets(std::span<const uint8_t> tape);

}  // namespace brinecast::replay
