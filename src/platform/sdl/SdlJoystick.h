// The first joystick or game pad, followed through unplugging and plugging in, read
// as the game's axes (-1000..1000, the stick or the direction buttons) and buttons.
#pragma once

#include <SDL_events.h>
#include <SDL_gamecontroller.h>
#include <SDL_joystick.h>

#include <algorithm>
#include <cstdint>

#include "platform/Platform.h"

namespace brinecast {

// An SDL axis (-32768..32767) on the game's scale, -1000..1000.
inline int ScaleAxis(int16_t value) {
  return std::clamp(value * 1000 / 32767, -1000, 1000);
}

// One axis from the stick and the pair of direction buttons along it: a direction
// button held alone pushes the axis all the way; otherwise the stick decides.
inline int PadAxis(int stick, bool negative, bool positive) {
  if (negative != positive) return negative ? -1000 : 1000;
  return stick;
}

class SdlJoystick {
 public:
  // Needs SDL's joystick support initialised; without it there is never a pad.
  SdlJoystick();
  ~SdlJoystick();
  SdlJoystick(const SdlJoystick&) = delete;
  SdlJoystick& operator=(const SdlJoystick&) = delete;

  // Device arrivals and removals (every other event is ignored). A pad plugged in
  // while none is used becomes the first joystick at once. True when the pad in
  // use was unplugged (another one still plugged in then takes over).
  bool HandleEvent(const SDL_Event& event);
  JoystickState State() const;

 private:
  void Close();
  void OpenFirst();
  JoystickState ControllerState() const;
  JoystickState PlainState() const;

  bool controllers_ = false;  // game-pad layouts known (our own reference to that subsystem)
  SDL_GameController* controller_ = nullptr;
  SDL_Joystick* joystick_ = nullptr;
  SDL_JoystickID id_ = -1;
};

}  // namespace brinecast
