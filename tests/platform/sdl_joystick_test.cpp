// Tests of the SDL joystick on virtual pads: axes from sticks, hats and buttons, and pads
// plugged in and pulled out.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/sdl/SdlJoystick.h"

namespace brinecast {
namespace {

TEST(PadAxis, ADirectionButtonHeldAlonePushesTheAxisAllTheWay) {
  struct Case {
    int stick;
    bool negative;
    bool positive;
    int axis;
  };
  for (const Case& c :
       {Case{0, false, false, 0}, Case{-300, false, false, -300}, Case{0, true, false, -1000},
        Case{0, false, true, 1000}, Case{700, true, false, -1000}, Case{-450, true, true, -450}}) {
    EXPECT_EQ(PadAxis(c.stick, c.negative, c.positive), c.axis)
        << c.stick << ' ' << c.negative << ' ' << c.positive;
  }
}

// Virtual pads stand in for real ones: SDL reports them as any other device.
class SdlJoystickTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError(); }
  void TearDown() override { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }

  // Hands every device arrival and removal to the joystick; counts removals of the pad in use.
  static int Pump(SdlJoystick& joystick) {
    SDL_JoystickUpdate();
    SDL_PumpEvents();
    int removals = 0;
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_JOYDEVICEADDED, SDL_JOYDEVICEREMOVED) > 0) {
      removals += joystick.HandleEvent(event) ? 1 : 0;
    }
    SDL_JoystickUpdate();
    return removals;
  }
};

TEST_F(SdlJoystickTest, APlainPadPluggedInWhilePlayingIsUsedAtOnceAndItsHatGivesTheAxes) {
  SdlJoystick joystick;
  Pump(joystick);
  EXPECT_FALSE(joystick.State().present);
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 1);
  ASSERT_GE(index, 0) << SDL_GetError();
  SDL_Joystick* device = SDL_JoystickOpen(index);  // the test's own hand on the pad
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(Pump(joystick), 0);
  EXPECT_TRUE(joystick.State().present);

  SDL_JoystickSetVirtualAxis(device, 0, -32768);
  SDL_JoystickSetVirtualButton(device, 2, SDL_PRESSED);
  Pump(joystick);
  JoystickState state = joystick.State();
  EXPECT_EQ(state.x, -1000);
  EXPECT_EQ(state.y, 0);
  EXPECT_EQ(state.buttons, 0b100U);

  SDL_JoystickSetVirtualAxis(device, 0, 0);
  SDL_JoystickSetVirtualHat(device, 0, SDL_HAT_RIGHTDOWN);
  Pump(joystick);
  state = joystick.State();
  EXPECT_EQ(state.x, 1000);
  EXPECT_EQ(state.y, 1000);

  SDL_JoystickClose(device);
  SDL_JoystickDetachVirtual(index);
  EXPECT_EQ(Pump(joystick), 1);
  state = joystick.State();
  EXPECT_FALSE(state.present);
  EXPECT_EQ(state.x, 0);
  EXPECT_EQ(state.buttons, 0U);
}

TEST_F(SdlJoystickTest, WhenThePadInUseIsPulledOutAnotherStillPluggedInTakesOver) {
  const int first = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2, 0);
  const int second = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2, 0);
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  SdlJoystick joystick;
  Pump(joystick);
  ASSERT_TRUE(joystick.State().present);
  SDL_JoystickDetachVirtual(first);
  EXPECT_EQ(Pump(joystick), 1);  // the game still hears of it: it pauses
  EXPECT_TRUE(joystick.State().present);
  SDL_JoystickDetachVirtual(0);
  EXPECT_EQ(Pump(joystick), 1);
  EXPECT_FALSE(joystick.State().present);
}

TEST_F(SdlJoystickTest, AGamePadsDirectionButtonsGiveTheAxes) {
  const int index = SDL_JoystickAttachVirtual(
      SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
  ASSERT_GE(index, 0) << SDL_GetError();
  SdlJoystick joystick;
  Pump(joystick);
  ASSERT_TRUE(SDL_IsGameController(index)) << "a virtual pad should have a pad layout";
  SDL_Joystick* device = SDL_JoystickOpen(index);
  ASSERT_NE(device, nullptr);
  SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_PRESSED);
  SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_PRESSED);
  Pump(joystick);
  JoystickState state = joystick.State();
  EXPECT_EQ(state.x, -1000);
  EXPECT_EQ(state.y, 1000);
  SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_RELEASED);
  SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_RELEASED);
  SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  Pump(joystick);
  state = joystick.State();
  EXPECT_EQ(state.x, 1000);
  EXPECT_EQ(state.y, 0);
  SDL_JoystickClose(device);
  SDL_JoystickDetachVirtual(index);
  Pump(joystick);
}

}  // namespace
}  // namespace brinecast
