// Tests of the headless platform's joystick: plugging it in, moving it and pulling it out.
#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"

namespace brinecast {
namespace {

using Kind = PlatformEvent::Kind;

int RemovalsQueued(HeadlessPlatform& platform) {
  int removals = 0;
  PlatformEvent event;
  while (platform.PollEvent(event)) removals += event.kind == Kind::JoystickRemoved ? 1 : 0;
  return removals;
}

TEST(HeadlessJoystick, UnpluggingQueuesOneRemovalAndLeavesNothingHeld) {
  HeadlessPlatform platform;
  EXPECT_FALSE(platform.Joystick().present);
  platform.SetJoystick({true, -800, 900, 0b101});
  EXPECT_EQ(RemovalsQueued(platform), 0);  // plugging in is simply used
  EXPECT_EQ(platform.Joystick().x, -800);
  platform.SetJoystick({true, 0, 0, 0});  // moving it is no removal either
  EXPECT_EQ(RemovalsQueued(platform), 0);
  platform.SetJoystick({true, -800, 900, 0b101});
  platform.SetJoystick({false, -800, 900, 0b101});  // pulled out while pushed
  EXPECT_EQ(RemovalsQueued(platform), 1);
  const JoystickState state = platform.Joystick();
  EXPECT_FALSE(state.present);
  EXPECT_EQ(state.x, 0);
  EXPECT_EQ(state.y, 0);
  EXPECT_EQ(state.buttons, 0U);
  platform.SetJoystick({});  // already out
  EXPECT_EQ(RemovalsQueued(platform), 0);
}

}  // namespace
}  // namespace brinecast
