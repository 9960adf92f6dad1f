// The platform of the real desktop, built on SDL.
#pragma once

#include <SDL_events.h>
#include <SDL_video.h>

#include <deque>
#include <memory>

#include "platform/Platform.h"
#include "platform/sdl/DesktopOpener.h"
#include "platform/sdl/EventTranslator.h"
#include "platform/sdl/FramePresenter.h"
#include "platform/sdl/MessageBoxOverlay.h"
#include "platform/sdl/SdlJoystick.h"
#include "platform/sdl/SdlMixer.h"
#include "platform/sdl/SdlMusic.h"
#include "platform/sdl/SdlSound.h"
#include "platform/sdl/X11Window.h"

namespace brinecast {

// The real desktop: one 800 x 600 window titled "Brinecast", centred, or a borderless
// desktop-sized window in full screen. SDL must be initialised (video, joystick)
// before one is made; the constructor throws std::runtime_error when the window
// cannot be opened.
class SdlPlatform final : public Platform {
 public:
  SdlPlatform();
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  uint64_t Ticks() override;
  bool PollEvent(PlatformEvent& event) override;
  void WaitUntil(uint64_t deadline) override;
  bool QuitRequested() const override { return false; }
  void Present(SDL_Surface* frame) override;
  bool SetFullScreen(bool fullScreen) override;
  bool IsFullScreen() const override { return fullScreen_; }
  bool IsActive() const override { return translator_.Active(); }
  void ShowCursor(bool show) override;
  bool CursorShown() const override;
  bool OpenUrl(const std::string& target) override;
  void SetMessageBox(const std::optional<MessageBoxContent>& box) override;
  bool MessageBoxOkHit(int x, int y) const override;
  int SoundOpen(const std::string& name, const uint8_t* wave, size_t size) override;
  int SoundPlay(int sound, bool looped) override;
  void SoundStop(int voice) override;
  bool SoundPlaying(int voice) override;
  int MusicLoad(const std::string& path) override;
  void MusicPlay(int module) override;
  void MusicStop(int module) override;
  void MusicFree(int module) override;
  JoystickState Joystick() override;
  void Wake() override;

 private:
  void DoChore(SdlChore chore, const SDL_Event& sdl);

  SDL_Window* window_ = nullptr;
  std::unique_ptr<X11Window> x11_;
  std::unique_ptr<FramePresenter> presenter_;
  MessageBoxOverlay box_;
  SdlJoystick joystick_;
  // Declared in this order so music and effects end before the device closes.
  SdlMixer mixer_;
  SdlSound sound_{mixer_.Open()};
  SdlMusic music_{mixer_.Rate()};
  uint64_t start_ = 0;
  bool fullScreen_ = false;
  // Full screen was left and the window has not shrunk back yet: its size says nothing of a
  // window manager maximising it.
  bool leavingFullScreen_ = false;
  EventTranslator translator_;
  DesktopOpener opener_;
  std::deque<PlatformEvent> pending_;
};

}  // namespace brinecast
