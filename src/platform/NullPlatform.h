// A machine with nothing attached: no window, no events, no sound, a clock that stands at 0,
// and music that always loads (so a game meant to have it plays on without a box).
#pragma once

#include "platform/Platform.h"

namespace brinecast {

class NullPlatform final : public Platform {
 public:
  uint64_t Ticks() override { return 0; }
  bool PollEvent(PlatformEvent&) override { return false; }
  void WaitUntil(uint64_t) override {}
  bool QuitRequested() const override { return false; }
  void Present(SDL_Surface*) override {}
  bool SetFullScreen(bool) override { return false; }
  bool IsFullScreen() const override { return false; }
  bool IsActive() const override { return true; }
  void ShowCursor(bool) override {}
  bool CursorShown() const override { return true; }
  bool OpenUrl(const std::string&) override { return false; }
  void SetMessageBox(const std::optional<MessageBoxContent>&) override {}
  bool MessageBoxOkHit(int, int) const override { return false; }
  JoystickState Joystick() override { return {}; }
  int SoundOpen(const std::string&, const uint8_t*, size_t) override { return -1; }
  int SoundPlay(int, bool) override { return -1; }
  void SoundStop(int) override {}
  bool SoundPlaying(int) override { return false; }
  int MusicLoad(const std::string&) override { return 0; }
  void MusicPlay(int) override {}
  void MusicStop(int) override {}
  void MusicFree(int) override {}
};

}  // namespace brinecast
