#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>

#include <climits>
#include <filesystem>
#include <stdexcept>

#include "platform/sdl/FileUrl.h"
#include "platform/sdl/KeyMap.h"
#include "platform/sdl/Letterbox.h"

namespace brinecast {

SdlPlatform::SdlPlatform() {
  start_ = SDL_GetTicks64();
  // Hidden until the renderer exists, so the window never flashes uninitialised.
  window_ = SDL_CreateWindow("Brinecast", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             kSurfaceWidth, kSurfaceHeight, SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    throw std::runtime_error(std::string("Cannot open the game's window: ") + SDL_GetError());
  }
  try {
    presenter_ = std::make_unique<FramePresenter>(window_);
  } catch (...) {
    SDL_DestroyWindow(window_);
    throw;
  }
  // Keys arrive as key codes; typed text and its input method are never used.
  SDL_StopTextInput();
  SDL_ShowWindow(window_);
  presenter_->Redraw();
}

SdlPlatform::~SdlPlatform() {
  presenter_.reset();
  SDL_DestroyWindow(window_);
}

uint64_t SdlPlatform::Ticks() {
  return SDL_GetTicks64() - start_;
}

void SdlPlatform::WaitUntil(uint64_t deadline) {
  const uint64_t now = Ticks();
  if (deadline <= now) return;
  const uint64_t wait = std::min<uint64_t>(deadline - now, INT_MAX);
  // A null event leaves the arrival in the queue for PollEvent.
  SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
}

bool SdlPlatform::PollEvent(PlatformEvent& event) {
  if (pendingClick_) {
    pendingClick_ = false;
    event = click_;
    return true;
  }
  SDL_Event sdl;
  while (SDL_PollEvent(&sdl) != 0) {
    if (Translate(sdl, event)) return true;
  }
  return false;
}

bool SdlPlatform::Translate(const SDL_Event& sdl, PlatformEvent& event) {
  switch (sdl.type) {
    case SDL_QUIT:
      event = {};
      event.kind = PlatformEvent::Kind::Close;
      return true;
    case SDL_WINDOWEVENT:
      return sdl.window.windowID == SDL_GetWindowID(window_) && TranslateWindow(sdl.window, event);
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int key =
          VirtualKeyFromSdl(sdl.key.keysym.sym, sdl.key.keysym.scancode, sdl.key.keysym.mod);
      if (key == 0) return false;
      event = {};
      event.kind =
          sdl.type == SDL_KEYDOWN ? PlatformEvent::Kind::KeyDown : PlatformEvent::Kind::KeyUp;
      event.key = key;
      event.alt = (sdl.key.keysym.mod & KMOD_ALT) != 0;
      return true;
    }
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return TranslatePointer(sdl, event);
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
      joystick_.HandleEvent(sdl);
      return false;
    case SDL_RENDER_DEVICE_RESET:
      presenter_->ResetTextures();
      presenter_->SetOverlay(box_.Picture());
      presenter_->Redraw();
      return false;
    default:
      return false;
  }
}

bool SdlPlatform::TranslateWindow(const SDL_WindowEvent& sdl, PlatformEvent& event) {
  event = {};
  switch (sdl.event) {
    case SDL_WINDOWEVENT_CLOSE:
      event.kind = PlatformEvent::Kind::Close;
      return true;
    case SDL_WINDOWEVENT_MINIMIZED:
      event.kind = PlatformEvent::Kind::Minimise;
      return true;
    case SDL_WINDOWEVENT_MAXIMIZED:
      // Only the request matters: the game answers it with full screen.
      if (fullScreen_) return false;
      SDL_RestoreWindow(window_);
      event.kind = PlatformEvent::Kind::Maximise;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST: {
      const bool gained = sdl.event == SDL_WINDOWEVENT_FOCUS_GAINED;
      if (gained == active_) return false;
      active_ = gained;
      event.kind = gained ? PlatformEvent::Kind::Activate : PlatformEvent::Kind::Deactivate;
      return true;
    }
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      // Frames stop while the game is inactive; the window must not show rubbish.
      presenter_->Redraw();
      return false;
    default:
      return false;
  }
}

bool SdlPlatform::TranslatePointer(const SDL_Event& sdl, PlatformEvent& event) {
  const bool motion = sdl.type == SDL_MOUSEMOTION;
  if ((motion ? sdl.motion.windowID : sdl.button.windowID) != SDL_GetWindowID(window_)) {
    return false;
  }
  if (!motion && sdl.button.button != SDL_BUTTON_LEFT && sdl.button.button != SDL_BUTTON_RIGHT &&
      sdl.button.button != SDL_BUTTON_MIDDLE) {
    return false;
  }
  int w = 0;
  int h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  const SurfacePoint at = WindowToSurface(motion ? sdl.motion.x : sdl.button.x,
                                          motion ? sdl.motion.y : sdl.button.y, FitFrame(w, h));
  event = {};
  event.x = at.x;
  event.y = at.y;
  if (motion) {
    event.kind = PlatformEvent::Kind::MouseMove;
    return true;
  }
  const bool down = sdl.type == SDL_MOUSEBUTTONDOWN;
  event.kind = down ? PlatformEvent::Kind::MouseDown : PlatformEvent::Kind::MouseUp;
  event.button = sdl.button.button == SDL_BUTTON_LEFT    ? MouseButton::Left
                 : sdl.button.button == SDL_BUTTON_RIGHT ? MouseButton::Right
                                                         : MouseButton::Middle;
  if (event.button == MouseButton::Left) {
    // A click is a left press and release both on the frame, reported after the release.
    if (!down && leftDownOnFrame_ && at.inside) {
      click_ = event;
      click_.kind = PlatformEvent::Kind::Click;
      pendingClick_ = true;
    }
    leftDownOnFrame_ = down && at.inside;
  }
  return true;
}

void SdlPlatform::Present(SDL_Surface* frame) {
  presenter_->Present(frame);
}

bool SdlPlatform::SetFullScreen(bool fullScreen) {
  if (fullScreen == fullScreen_) return true;
  if (SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    return false;
  }
  fullScreen_ = fullScreen;
  if (!fullScreen) {
    SDL_SetWindowSize(window_, kSurfaceWidth, kSurfaceHeight);
  }
  presenter_->Redraw();
  return true;
}

void SdlPlatform::ShowCursor(bool show) {
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

bool SdlPlatform::CursorShown() const {
  return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
}

bool SdlPlatform::OpenUrl(const std::string& target) {
  std::error_code error;
  const std::filesystem::path cwd = std::filesystem::current_path(error);
  const std::string url = UrlForTarget(target, error ? std::string() : cwd.string());
  return !url.empty() && SDL_OpenURL(url.c_str()) == 0;
}

void SdlPlatform::SetMessageBox(const std::optional<std::string>& text) {
  box_.Set(text);
  presenter_->SetOverlay(box_.Picture());
  presenter_->Redraw();
}

bool SdlPlatform::MessageBoxOkHit(int x, int y) const {
  return box_.OkHit(x, y);
}

JoystickState SdlPlatform::Joystick() {
  return joystick_.State();
}

}  // namespace brinecast
