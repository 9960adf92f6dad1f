// Turning SDL's events into the game's platform events.
#pragma once

#include <SDL_events.h>

#include "platform/Platform.h"
#include "platform/sdl/KeyMap.h"
#include "platform/sdl/Letterbox.h"

namespace brinecast {

// What the platform has to do itself for an SDL event, besides passing events on.
enum class SdlChore { None, Redraw, RestoreWindow, JoystickChanged, ResetTextures };

struct Translation {
  int count = 0;  // events for the game, in order
  PlatformEvent events[2];
  SdlChore chore = SdlChore::None;

  void Add(const PlatformEvent& event) { events[count++] = event; }
};

// The window of the game as SDL reports it when an event arrives.
struct WindowFacts {
  uint32_t id = 0;
  int width = kSurfaceWidth;  // client area in the units of pointer positions
  int height = kSurfaceHeight;
  bool fullScreen = false;
  // The window manager holds the window maximised or full screen though the game is windowed.
  bool heldLarge = false;
};

// Turns SDL's events into the game's: virtual keys, surface pixels, clicks as the
// window system makes them, focus changes only when the focus really changed.
class EventTranslator {
 public:
  Translation Translate(const SDL_Event& sdl, const WindowFacts& window) {
    Translation out;
    switch (sdl.type) {
      case SDL_QUIT:
        out.Add(Make(PlatformEvent::Kind::Close));
        break;
      case SDL_WINDOWEVENT:
        if (sdl.window.windowID == window.id) Window(sdl.window.event, window, out);
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        Key(sdl.key, out);
        break;
      case SDL_MOUSEMOTION:
        if (sdl.motion.windowID == window.id) {
          out.Add(Pointer(PlatformEvent::Kind::MouseMove, sdl.motion.x, sdl.motion.y, window));
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (sdl.button.windowID == window.id) Button(sdl.button, window, out);
        break;
      case SDL_JOYDEVICEADDED:
      case SDL_JOYDEVICEREMOVED:
        out.chore = SdlChore::JoystickChanged;
        break;
      case SDL_RENDER_DEVICE_RESET:
        out.chore = SdlChore::ResetTextures;
        break;
      default:
        break;
    }
    return out;
  }

  bool Active() const { return active_; }

 private:
  static PlatformEvent Make(PlatformEvent::Kind kind) {
    PlatformEvent event;
    event.kind = kind;
    return event;
  }

  void Window(uint8_t what, const WindowFacts& window, Translation& out) {
    using Kind = PlatformEvent::Kind;
    switch (what) {
      case SDL_WINDOWEVENT_CLOSE:
        out.Add(Make(Kind::Close));
        break;
      case SDL_WINDOWEVENT_MINIMIZED:
        out.Add(Make(Kind::Minimise));
        break;
      case SDL_WINDOWEVENT_MAXIMIZED:
        // The game answers maximise with full screen; the window never stays maximised.
        if (!window.fullScreen) {
          out.Add(Make(Kind::Maximise));
          out.chore = SdlChore::RestoreWindow;
        }
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
      case SDL_WINDOWEVENT_FOCUS_LOST: {
        const bool gained = what == SDL_WINDOWEVENT_FOCUS_GAINED;
        if (gained != active_) {
          active_ = gained;
          out.Add(Make(gained ? Kind::Activate : Kind::Deactivate));
        }
        break;
      }
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        // Maximised so that SDL saw only the size change: the same system command.
        if (!window.fullScreen && window.heldLarge) {
          out.Add(Make(Kind::Maximise));
          out.chore = SdlChore::RestoreWindow;
          break;
        }
        [[fallthrough]];
      case SDL_WINDOWEVENT_EXPOSED:
        // Frames stop while the game is inactive; the window must not show rubbish.
        out.chore = SdlChore::Redraw;
        break;
      default:
        break;
    }
  }

  static void Key(const SDL_KeyboardEvent& sdl, Translation& out) {
    const int key = VirtualKeyFromSdl(sdl.keysym.sym, sdl.keysym.scancode, sdl.keysym.mod);
    if (key == 0) return;
    PlatformEvent event =
        Make(sdl.type == SDL_KEYDOWN ? PlatformEvent::Kind::KeyDown : PlatformEvent::Kind::KeyUp);
    event.key = key;
    event.alt = (sdl.keysym.mod & KMOD_ALT) != 0;
    out.Add(event);
  }

  static PlatformEvent Pointer(PlatformEvent::Kind kind, int x, int y, const WindowFacts& window) {
    const SurfacePoint at = WindowToSurface(x, y, FitFrame(window.width, window.height));
    PlatformEvent event = Make(kind);
    event.x = at.x;
    event.y = at.y;
    return event;
  }

  void Button(const SDL_MouseButtonEvent& sdl, const WindowFacts& window, Translation& out) {
    MouseButton button = MouseButton::Left;
    if (sdl.button == SDL_BUTTON_RIGHT) {
      button = MouseButton::Right;
    } else if (sdl.button == SDL_BUTTON_MIDDLE) {
      button = MouseButton::Middle;
    } else if (sdl.button != SDL_BUTTON_LEFT) {
      return;  // side buttons mean nothing to the game
    }
    const bool down = sdl.type == SDL_MOUSEBUTTONDOWN;
    PlatformEvent event = Pointer(
        down ? PlatformEvent::Kind::MouseDown : PlatformEvent::Kind::MouseUp, sdl.x, sdl.y, window);
    event.button = button;
    out.Add(event);
    if (button != MouseButton::Left) return;
    const bool onFrame =
        WindowToSurface(sdl.x, sdl.y, FitFrame(window.width, window.height)).inside;
    // A click is a left press and release both on the frame, reported after the release.
    if (!down && leftDownOnFrame_ && onFrame) {
      event.kind = PlatformEvent::Kind::Click;
      out.Add(event);
    }
    leftDownOnFrame_ = down && onFrame;
  }

  bool active_ = true;
  bool leftDownOnFrame_ = false;
};

}  // namespace brinecast
