// The desktop platform: the window and full screen, events, frames, the message box, sound,
// music and the joystick through SDL.
#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>

#include <climits>
#include <filesystem>
#include <stdexcept>

#include "platform/sdl/FileUrl.h"
#include "platform/sdl/GameName.h"
#include "platform/sdl/Letterbox.h"
#include "platform/sdl/WindowIcon.h"

namespace brinecast {

SdlPlatform::SdlPlatform() {
  start_ = SDL_GetTicks64();
  // Hidden until the renderer exists, so the window never flashes uninitialised.
  window_ = SDL_CreateWindow(kGameName, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             kSurfaceWidth, kSurfaceHeight, SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    throw std::runtime_error(std::string("Cannot open the game's window: ") + SDL_GetError());
  }
  x11_ = std::make_unique<X11Window>(window_);
  try {
    presenter_ = std::make_unique<FramePresenter>(window_, *x11_);
  } catch (...) {
    SDL_DestroyWindow(window_);
    throw;
  }
  // Closing the one window is a request the game may refuse, not the end of SDL.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // Keys arrive as key codes; typed text and its input method are never used.
  SDL_StopTextInput();
  // After the renderer, which may have made SDL open a new X window, and before the window
  // manager sees the window.
  SetWindowIcon(window_);
  x11_->SetClass(kWindowClass);
  SDL_ShowWindow(window_);
  presenter_->Redraw();
}

SdlPlatform::~SdlPlatform() {
  presenter_.reset();
  x11_.reset();
  SDL_DestroyWindow(window_);
}

uint64_t SdlPlatform::Ticks() {
  return SDL_GetTicks64() - start_;
}

void SdlPlatform::WaitUntil(uint64_t deadline) {
  if (opener_.Pending() > 0) opener_.ReapFinished();
  const uint64_t now = Ticks();
  if (deadline <= now) return;
  const uint64_t wait = std::min<uint64_t>(deadline - now, INT_MAX);
  // A null event leaves the arrival in the queue for PollEvent.
  SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
}

void SdlPlatform::Wake() {
  // An empty user event ends SDL_WaitEventTimeout; the translator passes it by.
  SDL_Event wake{};
  wake.type = SDL_USEREVENT;
  SDL_PushEvent(&wake);
}

bool SdlPlatform::PollEvent(PlatformEvent& event) {
  SDL_Event sdl;
  while (pending_.empty() && SDL_PollEvent(&sdl) != 0) {
    const bool ours =
        sdl.type == SDL_WINDOWEVENT && sdl.window.windowID == SDL_GetWindowID(window_);
    if (ours) x11_->Refresh();
    WindowFacts facts;
    facts.id = SDL_GetWindowID(window_);
    // Pointer positions are in the window as it really is, not as SDL believes it to be.
    x11_->Size(facts.width, facts.height);
    facts.fullScreen = fullScreen_;
    if (leavingFullScreen_ && facts.width <= kSurfaceWidth && facts.height <= kSurfaceHeight) {
      leavingFullScreen_ = false;
    }
    // A window manager may maximise the window (often together with full screen) without
    // SDL reporting it: the window only grows. The game's window cannot be resized otherwise.
    if (ours && sdl.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && !fullScreen_ &&
        !leavingFullScreen_ && (facts.width > kSurfaceWidth || facts.height > kSurfaceHeight)) {
      facts.heldLarge = x11_->HeldLarge();
    }
    const Translation translation = translator_.Translate(sdl, facts);
    DoChore(translation.chore, sdl);
    for (int i = 0; i < translation.count; ++i) pending_.push_back(translation.events[i]);
  }
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

void SdlPlatform::DoChore(SdlChore chore, const SDL_Event& sdl) {
  switch (chore) {
    case SdlChore::None:
      break;
    case SdlChore::Redraw:
      presenter_->Redraw();
      break;
    case SdlChore::RestoreWindow:
      SDL_RestoreWindow(window_);
      // SDL restores only a maximised window it knows of.
      x11_->Unmaximise();
      break;
    case SdlChore::JoystickChanged:
      // The game hears of a pad pulled out; one plugged in is simply used.
      if (joystick_.HandleEvent(sdl)) {
        PlatformEvent removed;
        removed.kind = PlatformEvent::Kind::JoystickRemoved;
        pending_.push_back(removed);
      }
      break;
    case SdlChore::ResetTextures:
      presenter_->ResetTextures();
      presenter_->SetOverlay(box_.Picture());
      presenter_->Redraw();
      break;
  }
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
  leavingFullScreen_ = !fullScreen;
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
  // SDL_OpenURL only tells whether a process could be made, never whether a browser came.
  return opener_.Open(url);
}

void SdlPlatform::SetMessageBox(const std::optional<MessageBoxContent>& box) {
  box_.Set(box);
  presenter_->SetOverlay(box_.Picture());
  presenter_->Redraw();
}

bool SdlPlatform::MessageBoxOkHit(int x, int y) const {
  return box_.OkHit(x, y);
}

JoystickState SdlPlatform::Joystick() {
  return joystick_.State();
}

int SdlPlatform::SoundOpen(const std::string&, const uint8_t* wave, size_t size) {
  return sound_.Open(wave, size);
}
int SdlPlatform::SoundPlay(int sound, bool looped) {
  return sound_.Play(sound, looped);
}
void SdlPlatform::SoundStop(int voice) {
  sound_.Stop(voice);
}
bool SdlPlatform::SoundPlaying(int voice) {
  return sound_.Playing(voice);
}
int SdlPlatform::MusicLoad(const std::string& path) {
  return music_.Load(path);
}
void SdlPlatform::MusicPlay(int module) {
  music_.Play(module);
}
void SdlPlatform::MusicStop(int module) {
  music_.Stop(module);
}
void SdlPlatform::MusicFree(int module) {
  music_.Free(module);
}

}  // namespace brinecast
