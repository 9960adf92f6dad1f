// The rules of the finger: moves always move the pointer; a finger that rests long enough
// presses the left button; a tap that neither rested nor wandered is a click.
#include "platform/web/TouchGesture.h"

#include <cstdlib>

namespace brinecast {

namespace {

PlatformEvent Pointer(PlatformEvent::Kind kind, int x, int y) {
  PlatformEvent event;
  event.kind = kind;
  event.x = x;
  event.y = y;
  event.button = MouseButton::Left;
  return event;
}

}  // namespace

std::vector<PlatformEvent> TouchGesture::Begin(int finger, int x, int y, uint64_t now) {
  if (state_ != State::Idle) return {};
  finger_ = finger;
  state_ = State::Resting;
  anchorX_ = lastX_ = x;
  anchorY_ = lastY_ = y;
  restSince_ = now;
  return {Pointer(PlatformEvent::Kind::MouseMove, x, y)};
}

std::vector<PlatformEvent> TouchGesture::Move(int finger, int x, int y, uint64_t now) {
  if (state_ == State::Idle || finger != finger_) return {};
  std::vector<PlatformEvent> events = Tick(now);
  lastX_ = x;
  lastY_ = y;
  if (state_ != State::Holding &&
      (std::abs(x - anchorX_) > kSlop || std::abs(y - anchorY_) > kSlop)) {
    // Wandered off: the rest starts again where the finger is now.
    state_ = State::Moving;
    anchorX_ = x;
    anchorY_ = y;
    restSince_ = now;
  }
  events.push_back(Pointer(PlatformEvent::Kind::MouseMove, x, y));
  return events;
}

std::vector<PlatformEvent> TouchGesture::End(int finger, int x, int y, uint64_t now) {
  if (state_ == State::Idle || finger != finger_) return {};
  std::vector<PlatformEvent> events = Move(finger, x, y, now);
  using Kind = PlatformEvent::Kind;
  if (state_ == State::Holding) {
    events.push_back(Pointer(Kind::MouseUp, x, y));
  } else if (state_ == State::Resting) {
    events.push_back(Pointer(Kind::MouseDown, x, y));
    events.push_back(Pointer(Kind::MouseUp, x, y));
    events.push_back(Pointer(Kind::Click, x, y));
  }
  state_ = State::Idle;
  finger_ = -1;
  return events;
}

std::vector<PlatformEvent> TouchGesture::Cancel(int finger) {
  if (state_ == State::Idle || finger != finger_) return {};
  const bool held = state_ == State::Holding;
  state_ = State::Idle;
  finger_ = -1;
  if (!held) return {};
  return {Pointer(PlatformEvent::Kind::MouseUp, lastX_, lastY_)};
}

std::vector<PlatformEvent> TouchGesture::Tick(uint64_t now) {
  const std::optional<uint64_t> due = NextDeadline();
  if (!due || now < *due) return {};
  state_ = State::Holding;
  return {Pointer(PlatformEvent::Kind::MouseDown, lastX_, lastY_)};
}

std::optional<uint64_t> TouchGesture::NextDeadline() const {
  if (state_ != State::Resting && state_ != State::Moving) return std::nullopt;
  return restSince_ + kHoldMs;
}

}  // namespace brinecast
