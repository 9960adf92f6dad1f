#pragma once

#include <SDL_events.h>
#include <SDL_joystick.h>

#include <algorithm>
#include <cstdint>

#include "platform/Platform.h"

namespace brinecast {

// An SDL axis (-32768..32767) on the game's scale, -1000..1000.
inline int ScaleAxis(int16_t value) {
  return std::clamp(value * 1000 / 32767, -1000, 1000);
}

// The first joystick, followed through unplugging and plugging in again.
class SdlJoystick {
 public:
  SdlJoystick();
  ~SdlJoystick();
  SdlJoystick(const SdlJoystick&) = delete;
  SdlJoystick& operator=(const SdlJoystick&) = delete;

  // Device arrivals and removals; every other event is ignored.
  void HandleEvent(const SDL_Event& event);
  JoystickState State() const;

 private:
  void Close();
  void OpenFirst();

  SDL_Joystick* joystick_ = nullptr;
  SDL_JoystickID id_ = -1;
};

}  // namespace brinecast
