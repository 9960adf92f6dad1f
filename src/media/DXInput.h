#pragma once

#include <array>
#include <cstdint>
#include <set>

namespace brinecast {

class Platform;

// The abstract input states, in their stored order.
enum class InputState : uint8_t { Up, Down, Left, Right, Button1 };
constexpr int kInputStateCount = 36;  // Up, Down, Left, Right, Button1..Button32

// The input component: keyboard and the first joystick turned into input
// states once per frame. Keys held come from the window's key events.
class TDXInput {
 public:
  explicit TDXInput(Platform& platform);

  // Key events of the window (virtual-key codes).
  void KeyDown(int key);
  void KeyUp(int key);
  // Every key reads as released (the window lost the focus, a pad was unplugged).
  void ReleaseAll();

  // Reads the devices and recomputes the states; the frame loop calls it once per frame.
  void Update();
  bool Has(InputState state) const;
  bool HasButton(int n) const;  // n = 1..32

  // Three key slots per state, virtual-key codes, 0 = none.
  std::array<std::array<uint32_t, 3>, kInputStateCount> KeyAssigns{};

 private:
  Platform& platform_;
  std::set<int> held_;
  uint64_t states_ = 0;
  uint64_t previous_ = 0;
};

}  // namespace brinecast
