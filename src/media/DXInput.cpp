// The input component: key bindings, the joystick's axes and buttons, and the rule
// that combines both devices into the states once per frame.
#include "media/DXInput.h"

#include "media/JoystickAxis.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

namespace brinecast {

namespace {

constexpr int Index(InputState state) {
  return static_cast<int>(state);
}

constexpr uint64_t Bit(int index) {
  return uint64_t{1} << index;
}

constexpr int kButton1 = Index(InputState::Button1);
constexpr int kButton2 = kButton1 + 1;
constexpr int kButton9 = kButton1 + 8;

}  // namespace

TDXInput::TDXInput(Platform& platform) : platform_(platform) {
  KeyAssigns[Index(InputState::Up)] = {'K', vk::Up, vk::Numpad0 + 8};
  KeyAssigns[Index(InputState::Down)] = {'J', vk::Down, vk::Numpad0 + 2};
  KeyAssigns[Index(InputState::Left)] = {'H', vk::Left, vk::Numpad0 + 4};
  KeyAssigns[Index(InputState::Right)] = {'L', vk::Right, vk::Numpad0 + 6};
  KeyAssigns[kButton1] = {'Z', vk::Space, 0};
  KeyAssigns[kButton2] = {'X', vk::Return, 0};
  KeyAssigns[kButton9] = {vk::F1 + 1, 0, 0};
}

void TDXInput::KeyDown(int key) {
  held_.insert(key);
}

void TDXInput::KeyUp(int key) {
  held_.erase(key);
}

void TDXInput::ReleaseAll() {
  held_.clear();
}

void TDXInput::UseCtrlAndSpaceForDown() {
  KeyAssigns[Index(InputState::Down)][0] = vk::Control;
  KeyAssigns[Index(InputState::Down)][2] = vk::Space;
}

uint64_t TDXInput::KeyboardStates() const {
  uint64_t on = 0;
  for (int state = 0; state < kInputStateCount; ++state) {
    for (uint32_t key : KeyAssigns[static_cast<size_t>(state)]) {
      if (key >= 1 && key <= 255 && held_.contains(static_cast<int>(key))) on |= Bit(state);
    }
  }
  return on;
}

uint64_t TDXInput::JoystickStates() const {
  const JoystickState pad = platform_.Joystick();
  if (!pad.present) return 0;
  uint64_t on = 0;
  const int x = AxisReading(pad.x, -kAxisRange, kAxisRange, kDeadZonePercent);
  const int y = AxisReading(pad.y, -kAxisRange, kAxisRange, kDeadZonePercent);
  if (x < 0) on |= Bit(Index(InputState::Left));
  if (x > 0) on |= Bit(Index(InputState::Right));
  if (y < 0) on |= Bit(Index(InputState::Up));
  if (y > 0) on |= Bit(Index(InputState::Down));
  for (int n = 0; n < kJoystickButtons; ++n) {
    if ((pad.buttons >> n) & 1U) on |= Bit(kButton1 + n);
  }
  return on;
}

void TDXInput::Update() {
  uint64_t held = 0;
  if (!ActiveOnly || platform_.IsActive()) {
    held = KeyboardStates() | JoystickStates();
  } else {
    // Keys let go while another window had the focus never report their release.
    held_.clear();
  }
  states_ |= held & ~previous_;
  states_ &= ~(previous_ & ~held);
  previous_ = held;
}

bool TDXInput::Has(InputState state) const {
  return (states_ >> Index(state)) & 1U;
}

bool TDXInput::HasButton(int n) const {
  return n >= 1 && n <= kJoystickButtons && ((states_ >> (kButton1 + n - 1)) & 1U);
}

}  // namespace brinecast
