// Tests of turning SDL's events into the game's: window requests, focus, keys, pointer
// positions and clicks.
#include <gtest/gtest.h>

#include <vector>

#include "platform/sdl/EventTranslator.h"

namespace brinecast {
namespace {

using Kind = PlatformEvent::Kind;

constexpr uint32_t kWindow = 7;
constexpr WindowFacts kWindowed = {kWindow, 800, 600, false};
constexpr WindowFacts kWideScreen = {kWindow, 1920, 1080, true};  // frame at x 240..1679
// A window manager maximised the window behind SDL's back: it grew and is held large.
constexpr WindowFacts kHeldLarge = {kWindow, 1920, 1080, false, true};
constexpr WindowFacts kGrownOnly = {kWindow, 800, 1080, false, false};
constexpr WindowFacts kHeldLargeInFullScreen = {kWindow, 1920, 1080, true, true};

SDL_Event WindowEvent(SDL_WindowEventID what, uint32_t id = kWindow) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = id;
  e.window.event = what;
  return e;
}

SDL_Event KeyEvent(uint32_t type, SDL_Keycode key, SDL_Scancode scancode, uint16_t mod) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.sym = key;
  e.key.keysym.scancode = scancode;
  e.key.keysym.mod = mod;
  return e;
}

SDL_Event ButtonEvent(uint32_t type, uint8_t button, int x, int y) {
  SDL_Event e{};
  e.type = type;
  e.button.windowID = kWindow;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  return e;
}

std::vector<PlatformEvent> Events(const Translation& t) {
  return std::vector<PlatformEvent>(t.events, t.events + t.count);
}

TEST(SdlEventTranslator, WindowEventsBecomeTheGamesRequests) {
  const struct {
    const char* name;
    SDL_Event sdl;
    WindowFacts window;
    std::vector<Kind> kinds;
    SdlChore chore;
  } cases[] = {
      {"quit",
       [] {
         SDL_Event e{};
         e.type = SDL_QUIT;
         return e;
       }(),
       kWindowed,
       {Kind::Close},
       SdlChore::None},
      {"close button",
       WindowEvent(SDL_WINDOWEVENT_CLOSE),
       kWindowed,
       {Kind::Close},
       SdlChore::None},
      {"minimise",
       WindowEvent(SDL_WINDOWEVENT_MINIMIZED),
       kWindowed,
       {Kind::Minimise},
       SdlChore::None},
      {"maximise",
       WindowEvent(SDL_WINDOWEVENT_MAXIMIZED),
       kWindowed,
       {Kind::Maximise},
       SdlChore::RestoreWindow},
      {"maximised state in full screen",
       WindowEvent(SDL_WINDOWEVENT_MAXIMIZED),
       kWideScreen,
       {},
       SdlChore::None},
      {"maximised as a size change",
       WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED),
       kHeldLarge,
       {Kind::Maximise},
       SdlChore::RestoreWindow},
      {"grown, not maximised",
       WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED),
       kGrownOnly,
       {},
       SdlChore::Redraw},
      {"full screen granted",
       WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED),
       kHeldLargeInFullScreen,
       {},
       SdlChore::Redraw},
      {"resized back to a window",
       WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED),
       kWindowed,
       {},
       SdlChore::Redraw},
      {"uncovered", WindowEvent(SDL_WINDOWEVENT_EXPOSED), kWindowed, {}, SdlChore::Redraw},
      {"uncovered while held large",
       WindowEvent(SDL_WINDOWEVENT_EXPOSED),
       kHeldLarge,
       {},
       SdlChore::Redraw},
      {"another window",
       WindowEvent(SDL_WINDOWEVENT_CLOSE, kWindow + 1),
       kWindowed,
       {},
       SdlChore::None},
      {"pad plugged in",
       [] {
         SDL_Event e{};
         e.type = SDL_JOYDEVICEADDED;
         return e;
       }(),
       kWindowed,
       {},
       SdlChore::JoystickChanged},
  };
  for (const auto& c : cases) {
    EventTranslator translator;
    const Translation t = translator.Translate(c.sdl, c.window);
    std::vector<Kind> kinds;
    for (const PlatformEvent& e : Events(t)) kinds.push_back(e.kind);
    EXPECT_EQ(kinds, c.kinds) << c.name;
    EXPECT_EQ(t.chore, c.chore) << c.name;
  }
}

TEST(SdlEventTranslator, FocusChangesAreReportedOnlyWhenTheFocusChanges) {
  EventTranslator translator;
  EXPECT_TRUE(translator.Active());  // a new window is the active one
  const struct {
    SDL_WindowEventID what;
    std::vector<Kind> kinds;
    bool active;
  } steps[] = {
      {SDL_WINDOWEVENT_FOCUS_GAINED, {}, true},
      {SDL_WINDOWEVENT_FOCUS_LOST, {Kind::Deactivate}, false},
      {SDL_WINDOWEVENT_FOCUS_LOST, {}, false},
      {SDL_WINDOWEVENT_FOCUS_GAINED, {Kind::Activate}, true},
  };
  for (const auto& step : steps) {
    std::vector<Kind> kinds;
    for (const PlatformEvent& e : Events(translator.Translate(WindowEvent(step.what), kWindowed))) {
      kinds.push_back(e.kind);
    }
    EXPECT_EQ(kinds, step.kinds) << int(step.what);
    EXPECT_EQ(translator.Active(), step.active) << int(step.what);
  }
}

TEST(SdlEventTranslator, KeysCarryVirtualCodesAndAlt) {
  EventTranslator translator;
  const auto down = Events(translator.Translate(
      KeyEvent(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT), kWindowed));
  ASSERT_EQ(down.size(), 1u);
  EXPECT_EQ(down[0].kind, Kind::KeyDown);
  EXPECT_EQ(down[0].key, 0x0D);
  EXPECT_TRUE(down[0].alt);
  const auto up = Events(
      translator.Translate(KeyEvent(SDL_KEYUP, SDLK_x, SDL_SCANCODE_X, KMOD_NONE), kWindowed));
  ASSERT_EQ(up.size(), 1u);
  EXPECT_EQ(up[0].kind, Kind::KeyUp);
  EXPECT_EQ(up[0].key, 0x58);
  EXPECT_FALSE(up[0].alt);
  EXPECT_EQ(
      translator.Translate(KeyEvent(SDL_KEYDOWN, SDLK_F13, SDL_SCANCODE_F13, 0), kWindowed).count,
      0);
}

TEST(SdlEventTranslator, PointerPositionsAreSurfacePixels) {
  EventTranslator translator;
  SDL_Event move{};
  move.type = SDL_MOUSEMOTION;
  move.motion.windowID = kWindow;
  move.motion.x = 960;
  move.motion.y = 540;
  const auto moved = Events(translator.Translate(move, kWideScreen));
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0].kind, Kind::MouseMove);
  EXPECT_EQ(moved[0].x, 400);
  EXPECT_EQ(moved[0].y, 300);
  const auto right =
      Events(translator.Translate(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 100, 1079),
                                  kWideScreen));  // on the left bar
  ASSERT_EQ(right.size(), 1u);
  EXPECT_EQ(right[0].kind, Kind::MouseDown);
  EXPECT_EQ(right[0].button, MouseButton::Right);
  EXPECT_EQ(right[0].x, 0);
  EXPECT_EQ(right[0].y, 599);
  EXPECT_EQ(
      translator.Translate(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 960, 540), kWideScreen)
          .count,
      0);
}

TEST(SdlEventTranslator, ClickFollowsALeftPressAndReleaseBothOnTheFrame) {
  struct Press {
    uint8_t button;
    int downX;
    int upX;
    bool click;
  };
  const Press cases[] = {
      {SDL_BUTTON_LEFT, 960, 960, true},    // in place
      {SDL_BUTTON_LEFT, 300, 1600, true},   // dragged across the frame
      {SDL_BUTTON_LEFT, 100, 960, false},   // pressed on the black bar
      {SDL_BUTTON_LEFT, 960, 1800, false},  // released on the black bar
      {SDL_BUTTON_RIGHT, 960, 960, false},  // only the left button clicks
      {SDL_BUTTON_MIDDLE, 960, 960, false},
  };
  for (const Press& c : cases) {
    EventTranslator translator;
    translator.Translate(ButtonEvent(SDL_MOUSEBUTTONDOWN, c.button, c.downX, 540), kWideScreen);
    const auto up = Events(
        translator.Translate(ButtonEvent(SDL_MOUSEBUTTONUP, c.button, c.upX, 540), kWideScreen));
    ASSERT_EQ(up.size(), c.click ? 2u : 1u) << c.downX << "->" << c.upX;
    EXPECT_EQ(up[0].kind, Kind::MouseUp);
    if (c.click) {
      EXPECT_EQ(up[1].kind, Kind::Click);
      EXPECT_EQ(up[1].x, up[0].x);
      EXPECT_EQ(up[1].y, up[0].y);
    }
  }
  // A release with no press before it (the press went to another window) is no click.
  EventTranslator translator;
  EXPECT_EQ(
      translator.Translate(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 400, 300), kWindowed)
          .count,
      1);
}

}  // namespace
}  // namespace brinecast
