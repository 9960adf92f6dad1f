// Tests of the input component: the key table, the steering states from keys and joystick,
// and nothing held while inactive.
#include "media/DXInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinecast {
namespace {

constexpr int kJ = 'J';
constexpr int kNum2 = vk::Numpad0 + 2;

// The four steering states and the first two buttons as a short text, e.g. "D" or "LR1".
std::string Held(const TDXInput& input) {
  std::string held;
  if (input.Has(InputState::Up)) held += 'U';
  if (input.Has(InputState::Down)) held += 'D';
  if (input.Has(InputState::Left)) held += 'L';
  if (input.Has(InputState::Right)) held += 'R';
  for (int n = 1; n <= 32; ++n) {
    if (input.HasButton(n)) held += std::to_string(n);
  }
  return held;
}

std::string HeldWithKey(TDXInput& input, int key) {
  input.KeyDown(key);
  input.Update();
  std::string held = Held(input);
  input.KeyUp(key);
  input.Update();
  return held;
}

TEST(DXInput, TheStoredKeyTable) {
  HeadlessPlatform platform;
  TDXInput input(platform);
  using Slots = std::array<uint32_t, 3>;
  EXPECT_EQ(input.KeyAssigns[0], (Slots{0x4B, 0x26, 0x68}));  // Up
  EXPECT_EQ(input.KeyAssigns[1], (Slots{0x4A, 0x28, 0x62}));  // Down, as stored
  EXPECT_EQ(input.KeyAssigns[2], (Slots{0x48, 0x25, 0x64}));  // Left
  EXPECT_EQ(input.KeyAssigns[3], (Slots{0x4C, 0x27, 0x66}));  // Right
  EXPECT_EQ(input.KeyAssigns[4], (Slots{0x5A, 0x20, 0}));     // Button1
  EXPECT_EQ(input.KeyAssigns[5], (Slots{0x58, 0x0D, 0}));     // Button2
  EXPECT_EQ(input.KeyAssigns[12], (Slots{0x71, 0, 0}));       // Button9
  for (int state : {6, 7, 8, 9, 10, 11, 13, 20, 35}) {
    EXPECT_EQ(input.KeyAssigns[static_cast<size_t>(state)], (Slots{0, 0, 0})) << state;
  }
  input.UseCtrlAndSpaceForDown();
  EXPECT_EQ(input.KeyAssigns[1], (Slots{0x11, 0x28, 0x20}));
}

TEST(DXInput, EachKeyGivesItsStatesBeforeAndAfterTheStartUpChange) {
  struct Case {
    const char* name;
    int key;
    const char* stored;
    const char* changed;
  };
  const Case cases[] = {
      {"K", 'K', "U", "U"},
      {"Up", vk::Up, "U", "U"},
      {"J", kJ, "D", ""},
      {"Num2", kNum2, "D", ""},
      {"Down", vk::Down, "D", "D"},
      {"Ctrl", vk::Control, "", "D"},
      {"Space", vk::Space, "1", "D1"},
      {"H", 'H', "L", "L"},
      {"Num4", vk::Numpad0 + 4, "L", "L"},
      {"Right", vk::Right, "R", "R"},
      {"Num6", vk::Numpad0 + 6, "R", "R"},
      {"Z", 'Z', "1", "1"},
      {"X", 'X', "2", "2"},
      {"Enter", vk::Return, "2", "2"},
      {"F2", vk::F1 + 1, "9", "9"},
      {"A", 'A', "", ""},
      {"Escape", vk::Escape, "", ""},
  };
  HeadlessPlatform platform;
  TDXInput input(platform);
  for (const Case& c : cases) EXPECT_EQ(HeldWithKey(input, c.key), c.stored) << c.name;
  input.UseCtrlAndSpaceForDown();
  for (const Case& c : cases) EXPECT_EQ(HeldWithKey(input, c.key), c.changed) << c.name;
}

TEST(DXInput, StatesChangeOnlyAtAnUpdate) {
  HeadlessPlatform platform;
  TDXInput input(platform);
  input.KeyDown(vk::Left);
  input.KeyDown(vk::Right);
  EXPECT_EQ(Held(input), "");  // not before the frame reads it
  input.Update();
  EXPECT_EQ(Held(input), "LR");
  input.KeyUp(vk::Left);
  EXPECT_EQ(Held(input), "LR");  // the last frame's value until the next
  input.Update();
  EXPECT_EQ(Held(input), "R");
  // Pressed and released between two frames: never seen.
  input.KeyDown(vk::Down);
  input.KeyUp(vk::Down);
  input.Update();
  EXPECT_EQ(Held(input), "R");
  input.ReleaseAll();
  input.Update();
  EXPECT_EQ(Held(input), "");
}

TEST(DXInput, NothingIsHeldWhileTheWindowIsInactive) {
  HeadlessPlatform platform;
  TDXInput input(platform);
  input.KeyDown(vk::Left);
  platform.SetJoystick({true, 0, 1000, 1});
  input.Update();
  EXPECT_EQ(Held(input), "DL1");
  platform.QueueEvent({PlatformEvent::Kind::Deactivate});
  PlatformEvent event;
  ASSERT_TRUE(platform.PollEvent(event));
  input.Update();
  EXPECT_EQ(Held(input), "");
  platform.QueueEvent({PlatformEvent::Kind::Activate});
  ASSERT_TRUE(platform.PollEvent(event));
  input.Update();
  // The pad is read afresh; a key let go elsewhere is not taken as still held.
  EXPECT_EQ(Held(input), "D1");

  input.ActiveOnly = false;
  input.KeyDown(vk::Left);
  platform.QueueEvent({PlatformEvent::Kind::Deactivate});
  ASSERT_TRUE(platform.PollEvent(event));
  input.Update();
  EXPECT_EQ(Held(input), "DL1");
}

TEST(DXInput, TheJoysticksDeadZoneAndButtons) {
  struct Case {
    int x;
    int y;
    uint32_t buttons;
    const char* held;
  };
  const Case cases[] = {
      {0, 0, 0, ""},          {-400, 0, 0, ""},   {-600, 0, 0, "L"},  {600, 0, 0, "R"},
      {0, -600, 0, "U"},      {0, 1000, 0, "D"},  {-500, 500, 0, ""}, {-501, 501, 0, "DL"},
      {0, 0, 1u << 31, "32"}, {0, 0, 0b11, "12"},
  };
  HeadlessPlatform platform;
  TDXInput input(platform);
  for (const Case& c : cases) {
    platform.SetJoystick({true, c.x, c.y, c.buttons});
    input.Update();
    EXPECT_EQ(Held(input), c.held) << c.x << ',' << c.y << ' ' << c.buttons;
  }
}

TEST(DXInput, KeyboardAndJoystickCombineAndAnUnpluggedPadHoldsNothing) {
  HeadlessPlatform platform;
  TDXInput input(platform);
  platform.SetJoystick({true, -1000, 0, 0});
  input.KeyDown(vk::Left);
  input.Update();
  EXPECT_EQ(Held(input), "L");
  input.KeyUp(vk::Left);
  input.Update();
  EXPECT_EQ(Held(input), "L");  // the pad still holds it
  input.KeyDown(vk::Left);
  platform.SetJoystick({false, -1000, 0, 0});
  input.Update();
  EXPECT_EQ(Held(input), "L");  // the key still holds it
  input.KeyUp(vk::Left);
  input.Update();
  EXPECT_EQ(Held(input), "");
}

}  // namespace
}  // namespace brinecast
