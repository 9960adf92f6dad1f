// The first joystick or game pad, with hot-plugging and its direction buttons.
#include "platform/sdl/SdlJoystick.h"

#include <SDL.h>

namespace brinecast {

namespace {
constexpr int kMaxButtons = 32;
}  // namespace

SdlJoystick::SdlJoystick() {
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return;
  // Game-pad layouts say which buttons are the direction pad on any make of pad.
  controllers_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  OpenFirst();
}

SdlJoystick::~SdlJoystick() {
  Close();
  if (controllers_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlJoystick::Close() {
  if (controller_ != nullptr) {
    SDL_GameControllerClose(controller_);  // closes its joystick too
  } else if (joystick_ != nullptr) {
    SDL_JoystickClose(joystick_);
  }
  controller_ = nullptr;
  joystick_ = nullptr;
  id_ = -1;
}

void SdlJoystick::OpenFirst() {
  Close();
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return;
  for (int i = 0; i < SDL_NumJoysticks() && joystick_ == nullptr; ++i) {
    if (controllers_ && SDL_IsGameController(i)) {
      controller_ = SDL_GameControllerOpen(i);
      if (controller_ != nullptr) joystick_ = SDL_GameControllerGetJoystick(controller_);
    }
    if (joystick_ == nullptr) joystick_ = SDL_JoystickOpen(i);
  }
  if (joystick_ != nullptr) id_ = SDL_JoystickInstanceID(joystick_);
}

bool SdlJoystick::HandleEvent(const SDL_Event& event) {
  if (event.type == SDL_JOYDEVICEADDED && joystick_ == nullptr) {
    OpenFirst();
  } else if (event.type == SDL_JOYDEVICEREMOVED && joystick_ != nullptr &&
             event.jdevice.which == id_) {
    OpenFirst();
    return true;
  }
  return false;
}

JoystickState SdlJoystick::State() const {
  if (joystick_ == nullptr || !SDL_JoystickGetAttached(joystick_)) return {};
  return controller_ != nullptr ? ControllerState() : PlainState();
}

JoystickState SdlJoystick::ControllerState() const {
  auto held = [this](SDL_GameControllerButton button) {
    return SDL_GameControllerGetButton(controller_, button) != 0;
  };
  JoystickState state;
  state.present = true;
  state.x = PadAxis(ScaleAxis(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX)),
                    held(SDL_CONTROLLER_BUTTON_DPAD_LEFT), held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
  state.y = PadAxis(ScaleAxis(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY)),
                    held(SDL_CONTROLLER_BUTTON_DPAD_UP), held(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX && b < kMaxButtons; ++b) {
    if (held(static_cast<SDL_GameControllerButton>(b))) state.buttons |= 1u << b;
  }
  return state;
}

JoystickState SdlJoystick::PlainState() const {
  JoystickState state;
  state.present = true;
  const int axes = SDL_JoystickNumAxes(joystick_);
  const int stickX = axes > 0 ? ScaleAxis(SDL_JoystickGetAxis(joystick_, 0)) : 0;
  const int stickY = axes > 1 ? ScaleAxis(SDL_JoystickGetAxis(joystick_, 1)) : 0;
  const uint8_t hat = SDL_JoystickNumHats(joystick_) > 0 ? SDL_JoystickGetHat(joystick_, 0) : 0;
  state.x = PadAxis(stickX, (hat & SDL_HAT_LEFT) != 0, (hat & SDL_HAT_RIGHT) != 0);
  state.y = PadAxis(stickY, (hat & SDL_HAT_UP) != 0, (hat & SDL_HAT_DOWN) != 0);
  const int buttons = std::min(SDL_JoystickNumButtons(joystick_), kMaxButtons);
  for (int b = 0; b < buttons; ++b) {
    if (SDL_JoystickGetButton(joystick_, b) != 0) state.buttons |= 1u << b;
  }
  return state;
}

}  // namespace brinecast
