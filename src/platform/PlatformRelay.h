// A platform in front of another: every call goes through to the inner one. Whoever stands
// between the game and the machine (the recorder, a replay's tape, the watcher) derives from
// it and overrides only what it tapes or answers itself.
#pragma once

#include "platform/Platform.h"

namespace brinecast {

class PlatformRelay : public Platform {
 public:
  explicit PlatformRelay(Platform& inner) : inner_(inner) {}

  uint64_t Ticks() override { return inner_.Ticks(); }
  bool PollEvent(PlatformEvent& event) override { return inner_.PollEvent(event); }
  void WaitUntil(uint64_t deadline) override { inner_.WaitUntil(deadline); }
  bool QuitRequested() const override { return inner_.QuitRequested(); }
  void Present(SDL_Surface* frame) override { inner_.Present(frame); }
  bool SetFullScreen(bool fullScreen) override { return inner_.SetFullScreen(fullScreen); }
  bool IsFullScreen() const override { return inner_.IsFullScreen(); }
  bool IsActive() const override { return inner_.IsActive(); }
  void ShowCursor(bool show) override { inner_.ShowCursor(show); }
  bool CursorShown() const override { return inner_.CursorShown(); }
  bool OpenUrl(const std::string& target) override { return inner_.OpenUrl(target); }
  void SetMessageBox(const std::optional<MessageBoxContent>& box) override {
    inner_.SetMessageBox(box);
  }
  bool MessageBoxOkHit(int x, int y) const override { return inner_.MessageBoxOkHit(x, y); }
  JoystickState Joystick() override { return inner_.Joystick(); }
  void Wake() override { inner_.Wake(); }
  int SoundOpen(const std::string& name, const uint8_t* wave, size_t size) override {
    return inner_.SoundOpen(name, wave, size);
  }
  int SoundPlay(int sound, bool looped) override { return inner_.SoundPlay(sound, looped); }
  void SoundStop(int voice) override { inner_.SoundStop(voice); }
  bool SoundPlaying(int voice) override { return inner_.SoundPlaying(voice); }
  int MusicLoad(const std::string& path) override { return inner_.MusicLoad(path); }
  void MusicPlay(int module) override { inner_.MusicPlay(module); }
  void MusicStop(int module) override { inner_.MusicStop(module); }
  void MusicFree(int module) override { inner_.MusicFree(module); }

 protected:
  Platform& Inner() const { return inner_; }

 private:
  Platform& inner_;
};

}  // namespace brinecast
