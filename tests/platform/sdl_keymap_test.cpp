// Tests of SDL keys turned into virtual-key codes, and of joystick axes scaled for the game.
#include <gtest/gtest.h>

#include "platform/sdl/KeyMap.h"
#include "platform/sdl/SdlJoystick.h"

namespace brinecast {
namespace {

struct KeyCase {
  const char* name;
  SDL_Keycode key;
  SDL_Scancode scancode;
  uint16_t mod;
  int expected;
};

TEST(SdlKeyMap, MapsEveryKeyTheGameSpeaksAndDropsTheRest) {
  const KeyCase cases[] = {
      {"A", SDLK_a, SDL_SCANCODE_A, KMOD_NONE, 0x41},
      {"Z", SDLK_z, SDL_SCANCODE_Z, KMOD_NONE, 0x5A},
      {"shifted letter", SDLK_q, SDL_SCANCODE_Q, KMOD_LSHIFT, 0x51},
      {"letter by layout", SDLK_q, SDL_SCANCODE_A, KMOD_NONE, 0x51},
      {"Cyrillic layout", 0x0444, SDL_SCANCODE_A, KMOD_NONE, 0x41},
      {"0", SDLK_0, SDL_SCANCODE_0, KMOD_NONE, 0x30},
      {"9", SDLK_9, SDL_SCANCODE_9, KMOD_NONE, 0x39},
      {"Enter", SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_NONE, 0x0D},
      {"keypad Enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_NUM, 0x0D},
      {"Escape", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, KMOD_NONE, 0x1B},
      {"Space", SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_NONE, 0x20},
      {"Backspace", SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, KMOD_NONE, 0x08},
      {"Tab", SDLK_TAB, SDL_SCANCODE_TAB, KMOD_NONE, 0x09},
      {"left Ctrl", SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL, 0x11},
      {"right Ctrl", SDLK_RCTRL, SDL_SCANCODE_RCTRL, KMOD_RCTRL, 0x11},
      {"left Shift", SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_NONE, 0x10},
      {"right Shift", SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, KMOD_NONE, 0x10},
      {"left Alt", SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE, 0x12},
      {"right Alt", SDLK_RALT, SDL_SCANCODE_RALT, KMOD_NONE, 0x12},
      {"Left", SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_NONE, 0x25},
      {"Up", SDLK_UP, SDL_SCANCODE_UP, KMOD_NONE, 0x26},
      {"Right", SDLK_RIGHT, SDL_SCANCODE_RIGHT, KMOD_NONE, 0x27},
      {"Down", SDLK_DOWN, SDL_SCANCODE_DOWN, KMOD_NONE, 0x28},
      {"Home", SDLK_HOME, SDL_SCANCODE_HOME, KMOD_NONE, 0x24},
      {"End", SDLK_END, SDL_SCANCODE_END, KMOD_NONE, 0x23},
      {"Insert", SDLK_INSERT, SDL_SCANCODE_INSERT, KMOD_NONE, 0x2D},
      {"Delete", SDLK_DELETE, SDL_SCANCODE_DELETE, KMOD_NONE, 0x2E},
      {"Page Up", SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, KMOD_NONE, 0x21},
      {"Page Down", SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, KMOD_NONE, 0x22},
      {"F1", SDLK_F1, SDL_SCANCODE_F1, KMOD_NONE, 0x70},
      {"F12", SDLK_F12, SDL_SCANCODE_F12, KMOD_NONE, 0x7B},
      {"left system key", SDLK_LGUI, SDL_SCANCODE_LGUI, KMOD_NONE, 0x5B},
      {"right system key", SDLK_RGUI, SDL_SCANCODE_RGUI, KMOD_NONE, 0x5C},
      {"menu key", SDLK_APPLICATION, SDL_SCANCODE_APPLICATION, KMOD_NONE, 0x5D},
      {"keypad 0", SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM, 0x60},
      {"keypad 9", SDLK_KP_9, SDL_SCANCODE_KP_9, KMOD_NUM, 0x69},
      {"keypad 7 as digit", SDLK_7, SDL_SCANCODE_KP_7, KMOD_NUM, 0x67},
      {"keypad 8 without Num Lock", SDLK_KP_8, SDL_SCANCODE_KP_8, KMOD_NONE, 0x26},
      {"keypad 0 without Num Lock", SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NONE, 0x2D},
      {"keypad 5 without Num Lock", SDLK_KP_5, SDL_SCANCODE_KP_5, KMOD_NONE, 0},
      {"keypad point without Num Lock", SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NONE, 0x2E},
      {"keypad point with Num Lock", SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NUM, 0},
      {"F13", SDLK_F13, SDL_SCANCODE_F13, KMOD_NONE, 0},
      {"Print Screen", SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN, KMOD_NONE, 0},
      {"minus", SDLK_MINUS, SDL_SCANCODE_MINUS, KMOD_NONE, 0},
      {"keypad plus", SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, KMOD_NUM, 0},
      {"accented letter", 0x00E9, SDL_SCANCODE_2, KMOD_NONE, 0},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(VirtualKeyFromSdl(c.key, c.scancode, c.mod), c.expected) << c.name;
  }
}

TEST(SdlKeyMap, RangesAreCompleteAndInOrder) {
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a + i, static_cast<SDL_Scancode>(SDL_SCANCODE_A + i), 0),
              0x41 + i);
  }
  const SDL_Keycode fkeys[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                               SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(VirtualKeyFromSdl(fkeys[i], SDL_SCANCODE_UNKNOWN, 0), 0x70 + i);
  }
  const SDL_Scancode pad[] = {SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_2,
                              SDL_SCANCODE_KP_3, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_5,
                              SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_7, SDL_SCANCODE_KP_8,
                              SDL_SCANCODE_KP_9};
  // The key's position decides on the keypad, whatever symbol the layout gives it.
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_UNKNOWN, pad[i], KMOD_NUM), 0x60 + i);
  }
}

TEST(SdlJoystickAxis, ScalesTheFullRangeOntoPlusMinusThousand) {
  const struct {
    int16_t raw;
    int scaled;
  } cases[] = {{-32768, -1000}, {-32767, -1000}, {-16384, -500}, {0, 0},
               {16384, 500},    {32767, 1000},   {33, 1}};
  for (const auto& c : cases) EXPECT_EQ(ScaleAxis(c.raw), c.scaled) << c.raw;
}

}  // namespace
}  // namespace brinecast
