// A finger on the picture as the game's pointer: it drags the boat, and resting still on the
// glass holds the left button (the line goes down) until it lifts; a short tap clicks.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Platform.h"

namespace brinecast {

class TouchGesture {
 public:
  // How long a finger rests before it counts as holding, and how far (surface pixels) it may
  // wander meanwhile.
  static constexpr uint64_t kHoldMs = 300;
  static constexpr int kSlop = 12;

  // Each returns the pointer events the change makes. Only the first finger down is followed
  // until it lifts; the others are ignored. Points are surface pixels, times milliseconds.
  std::vector<PlatformEvent> Begin(int finger, int x, int y, uint64_t now);
  std::vector<PlatformEvent> Move(int finger, int x, int y, uint64_t now);
  std::vector<PlatformEvent> End(int finger, int x, int y, uint64_t now);
  // The browser took the touch away (a system gesture): a held button is let go, no click.
  std::vector<PlatformEvent> Cancel(int finger);
  // The hold beginning once its time has come.
  std::vector<PlatformEvent> Tick(uint64_t now);
  // When Tick has something to do, if ever.
  std::optional<uint64_t> NextDeadline() const;

 private:
  enum class State { Idle, Resting, Moving, Holding };

  State state_ = State::Idle;
  int finger_ = -1;
  int anchorX_ = 0;  // where the finger began to rest
  int anchorY_ = 0;
  uint64_t restSince_ = 0;
  int lastX_ = 0;
  int lastY_ = 0;
};

}  // namespace brinecast
