// The tape's coding: one kind byte an entry, small clock steps folded into the kind byte.
#include "replay/Tape.h"

#include <algorithm>

namespace brinecast::replay {

namespace {

// Entry kinds. A clock step of 0..kSmallStepMost ms is the kind byte alone.
constexpr uint8_t kTicks = 0;
constexpr uint8_t kNoEvent = 1;
constexpr uint8_t kEvent = 2;
constexpr uint8_t kJoystick = 3;
constexpr uint8_t kJoystickSame = 4;
constexpr uint8_t kScript = 5;
constexpr uint8_t kFlagBase = 16;  // + answer * 2 + value
constexpr uint8_t kFlagEnd = kFlagBase + 2 * (static_cast<uint8_t>(Answer::kMusicLoaded) + 1);
constexpr uint8_t kSmallStep = 64;
constexpr uint64_t kSmallStepMost = 255 - kSmallStep;

constexpr int64_t kCoordinateMost = 1 << 20;
constexpr size_t kScriptLineMost = 4096;

bool HasKey(PlatformEvent::Kind kind) {
  return kind == PlatformEvent::Kind::KeyDown || kind == PlatformEvent::Kind::KeyUp;
}

bool HasPointer(PlatformEvent::Kind kind) {
  using Kind = PlatformEvent::Kind;
  return kind == Kind::MouseMove || kind == Kind::MouseDown || kind == Kind::MouseUp ||
         kind == Kind::Click;
}

bool HasButton(PlatformEvent::Kind kind) {
  return kind == PlatformEvent::Kind::MouseDown || kind == PlatformEvent::Kind::MouseUp;
}

const char* KindName(uint8_t kind) {
  if (kind >= kSmallStep || kind == kTicks) return "a clock reading";
  if (kind == kNoEvent || kind == kEvent) return "an event";
  if (kind == kJoystick || kind == kJoystickSame) return "the joystick";
  if (kind == kScript) return "a set-up step";
  if (kind >= kFlagBase && kind < kFlagEnd) return "an answer of the machine";
  return "an unknown entry";
}

}  // namespace

void TapeWriter::Ticks(uint64_t now) {
  ++entries_;
  if (now >= lastTicks_ && now - lastTicks_ <= kSmallStepMost) {
    out_.Byte(static_cast<uint8_t>(kSmallStep + (now - lastTicks_)));
  } else {
    out_.Byte(kTicks);
    out_.Signed(static_cast<int64_t>(now - lastTicks_));
  }
  lastTicks_ = now;
}

void TapeWriter::Event(const PlatformEvent* event) {
  ++entries_;
  if (event == nullptr) {
    out_.Byte(kNoEvent);
    return;
  }
  out_.Byte(kEvent);
  out_.Byte(static_cast<uint8_t>(event->kind));
  if (HasKey(event->kind)) {
    out_.Signed(event->key);
    out_.Bool(event->alt);
  }
  if (HasPointer(event->kind)) {
    // As steps from the last pointer position: a moving mouse sends many small ones.
    out_.Signed(static_cast<int64_t>(event->x) - lastX_);
    out_.Signed(static_cast<int64_t>(event->y) - lastY_);
    lastX_ = event->x;
    lastY_ = event->y;
  }
  if (HasButton(event->kind)) out_.Byte(static_cast<uint8_t>(event->button));
}

void TapeWriter::Flag(Answer answer, bool value) {
  ++entries_;
  out_.Byte(static_cast<uint8_t>(kFlagBase + static_cast<uint8_t>(answer) * 2 + (value ? 1 : 0)));
}

void TapeWriter::Joystick(const JoystickState& state) {
  ++entries_;
  if (state.present == lastJoystick_.present && state.x == lastJoystick_.x &&
      state.y == lastJoystick_.y && state.buttons == lastJoystick_.buttons) {
    out_.Byte(kJoystickSame);
    return;
  }
  out_.Byte(kJoystick);
  out_.Bool(state.present);
  out_.Signed(state.x);
  out_.Signed(state.y);
  out_.Unsigned(state.buttons);
  lastJoystick_ = state;
}

void TapeWriter::Script(const std::string& line) {
  ++entries_;
  scripted_ = true;
  out_.Byte(kScript);
  out_.Text(line.substr(0, kScriptLineMost));
}

TapeReader::TapeReader(std::span<const uint8_t> tape, uint64_t start)
    : in_(tape), lastTicks_(start) {}

uint8_t TapeReader::Take(const char* wanted) {
  if (in_.AtEnd()) throw TapeMismatch(std::string("the game read ") + wanted + " past the end");
  return in_.Byte();
}

namespace {

[[noreturn]] void Mismatch(const char* wanted, uint8_t found) {
  throw TapeMismatch(std::string("the game read ") + wanted + " where the recording holds " +
                     KindName(found));
}

}  // namespace

uint64_t TapeReader::Ticks() {
  const uint8_t kind = Take("a clock reading");
  if (kind >= kSmallStep) {
    lastTicks_ += kind - kSmallStep;
  } else if (kind == kTicks) {
    const int64_t step = in_.Signed();
    lastTicks_ += static_cast<uint64_t>(step);
  } else {
    Mismatch("a clock reading", kind);
  }
  return lastTicks_;
}

bool TapeReader::Event(PlatformEvent& event) {
  const uint8_t kind = Take("an event");
  if (kind == kNoEvent) return false;
  if (kind != kEvent) Mismatch("an event", kind);
  const uint8_t eventKind = in_.Byte();
  if (eventKind > static_cast<uint8_t>(PlatformEvent::Kind::Script)) {
    throw DamagedRecording("an event of an unknown kind");
  }
  event = PlatformEvent{};
  event.kind = static_cast<PlatformEvent::Kind>(eventKind);
  if (HasKey(event.kind)) {
    event.key = static_cast<int>(in_.SignedIn(0, 0xFFFF));
    event.alt = in_.Bool();
  }
  if (HasPointer(event.kind)) {
    lastX_ = static_cast<int>(
        std::clamp<int64_t>(lastX_ + in_.SignedIn(-kCoordinateMost, kCoordinateMost),
                            -kCoordinateMost, kCoordinateMost));
    lastY_ = static_cast<int>(
        std::clamp<int64_t>(lastY_ + in_.SignedIn(-kCoordinateMost, kCoordinateMost),
                            -kCoordinateMost, kCoordinateMost));
    event.x = lastX_;
    event.y = lastY_;
  }
  if (HasButton(event.kind)) {
    const uint8_t button = in_.Byte();
    if (button > static_cast<uint8_t>(MouseButton::Middle)) {
      throw DamagedRecording("a mouse button of an unknown kind");
    }
    event.button = static_cast<MouseButton>(button);
  }
  return true;
}

bool TapeReader::Flag(Answer answer) {
  const uint8_t kind = Take("an answer of the machine");
  const auto base = static_cast<uint8_t>(kFlagBase + static_cast<uint8_t>(answer) * 2);
  if (kind != base && kind != base + 1) Mismatch("an answer of the machine", kind);
  return kind == base + 1;
}

JoystickState TapeReader::Joystick() {
  const uint8_t kind = Take("the joystick");
  if (kind == kJoystickSame) return lastJoystick_;
  if (kind != kJoystick) Mismatch("the joystick", kind);
  JoystickState state;
  state.present = in_.Bool();
  state.x = static_cast<int>(in_.SignedIn(-kCoordinateMost, kCoordinateMost));
  state.y = static_cast<int>(in_.SignedIn(-kCoordinateMost, kCoordinateMost));
  state.buttons = static_cast<uint32_t>(in_.UnsignedUpTo(0xFFFFFFFFU));
  lastJoystick_ = state;
  return state;
}

std::string TapeReader::Script() {
  const uint8_t kind = Take("a set-up step");
  if (kind != kScript) Mismatch("a set-up step", kind);
  return in_.Text(kScriptLineMost);
}

std::vector<size_t> ClockStepOffsets(std::span<const uint8_t> tape) {
  std::vector<size_t> offsets;
  PlatformEvent event;
  for (size_t at = 0; at < tape.size();) {
    const uint8_t kind = tape[at];
    // Each entry is walked by the reader that reads it, from a reader placed at the entry.
    TapeReader entry(tape.subspan(at), 0);
    if (kind >= kSmallStep) {
      offsets.push_back(at);
      entry.Ticks();
    } else if (kind == kTicks) {
      entry.Ticks();
    } else if (kind == kNoEvent || kind == kEvent) {
      entry.Event(event);
    } else if (kind == kJoystick || kind == kJoystickSame) {
      entry.Joystick();
    } else if (kind == kScript) {
      entry.Script();
    } else if (kind >= kFlagBase && kind < kFlagEnd) {
      entry.Flag(static_cast<Answer>((kind - kFlagBase) / 2));
    } else {
      throw DamagedRecording("the tape holds an entry of an unknown kind");
    }
    at += entry.Consumed();
  }
  return offsets;
}

}  // namespace brinecast::replay
