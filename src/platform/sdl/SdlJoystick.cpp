#include "platform/sdl/SdlJoystick.h"

#include <SDL.h>

namespace brinecast {

SdlJoystick::SdlJoystick() {
  OpenFirst();
}

SdlJoystick::~SdlJoystick() {
  Close();
}

void SdlJoystick::Close() {
  if (joystick_ != nullptr) SDL_JoystickClose(joystick_);
  joystick_ = nullptr;
  id_ = -1;
}

void SdlJoystick::OpenFirst() {
  Close();
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return;
  for (int i = 0; i < SDL_NumJoysticks() && joystick_ == nullptr; ++i) {
    joystick_ = SDL_JoystickOpen(i);
  }
  if (joystick_ != nullptr) id_ = SDL_JoystickInstanceID(joystick_);
}

void SdlJoystick::HandleEvent(const SDL_Event& event) {
  if (event.type == SDL_JOYDEVICEADDED && joystick_ == nullptr) {
    OpenFirst();
  } else if (event.type == SDL_JOYDEVICEREMOVED && event.jdevice.which == id_) {
    OpenFirst();  // another pad still plugged in takes over
  }
}

JoystickState SdlJoystick::State() const {
  JoystickState state;
  if (joystick_ == nullptr || !SDL_JoystickGetAttached(joystick_)) return state;
  state.present = true;
  if (SDL_JoystickNumAxes(joystick_) > 0) state.x = ScaleAxis(SDL_JoystickGetAxis(joystick_, 0));
  if (SDL_JoystickNumAxes(joystick_) > 1) state.y = ScaleAxis(SDL_JoystickGetAxis(joystick_, 1));
  const int buttons = std::min(SDL_JoystickNumButtons(joystick_), 32);
  for (int b = 0; b < buttons; ++b) {
    if (SDL_JoystickGetButton(joystick_, b) != 0) state.buttons |= 1u << b;
  }
  return state;
}

}  // namespace brinecast
