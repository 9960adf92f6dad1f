// The input component: keyboard and the first joystick turned into abstract input
// states once per frame, with the key bindings and the joystick's dead zone.
#pragma once

#include <array>
#include <cstdint>
#include <set>

namespace brinecast {

class Platform;

// The abstract input states, in their stored order; Button1..Button32 follow Button1.
enum class InputState : uint8_t { Up, Down, Left, Right, Button1 };
constexpr int kInputStateCount = 36;  // Up, Down, Left, Right, Button1..Button32
constexpr int kKeySlots = 3;
constexpr int kJoystickButtons = 32;

// What the input component remembers between frames, for a recording to carry.
struct InputMemory {
  std::set<int> held;
  uint64_t states = 0;
  uint64_t previous = 0;
};

// Keys held come from the window's key events; the joystick is read from the platform.
class TDXInput {
 public:
  // Starts with the stored key table (J and numeric pad 2 lower the line).
  explicit TDXInput(Platform& platform);

  // Key events of the window (virtual-key codes).
  void KeyDown(int key);
  void KeyUp(int key);
  // Every key reads as released (the window lost the focus, a pad was unplugged).
  void ReleaseAll();

  // The start-up change: Down is Ctrl, the Down arrow and Space.
  void UseCtrlAndSpaceForDown();

  // Reads the devices and recomputes the states; the frame loop calls it once per frame.
  void Update();
  bool Has(InputState state) const;
  InputMemory Memory() const { return {held_, states_, previous_}; }
  void Restore(const InputMemory& memory) {
    held_ = memory.held;
    states_ = memory.states;
    previous_ = memory.previous;
  }
  bool HasButton(int n) const;  // n = 1..32

  // While set and the window is not active, every device reads as released.
  bool ActiveOnly = true;
  // Three key slots per state, virtual-key codes, 0 = none.
  std::array<std::array<uint32_t, kKeySlots>, kInputStateCount> KeyAssigns{};

 private:
  uint64_t KeyboardStates() const;
  uint64_t JoystickStates() const;

  Platform& platform_;
  std::set<int> held_;
  uint64_t states_ = 0;
  uint64_t previous_ = 0;
};

}  // namespace brinecast
