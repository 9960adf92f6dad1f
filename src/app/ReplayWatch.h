// Watching a recording in the window: the replay keeps to the wall clock, P pauses, F and the
// digit keys set the speed, Esc or the window's close ends it; a small label says so.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/Canvas.h"
#include "platform/Platform.h"
#include "replay/TapePlatform.h"

namespace brinecast {

// Stands between a replay and the screen: it paces the replay and takes the watcher's keys
// (the game hears only what was recorded), and passes everything else to the screen.
class ReplayWatch final : public Platform, public replay::ReplayPace {
 public:
  explicit ReplayWatch(Platform& screen) : screen_(screen) {}

  int Speed() const { return speed_; }
  bool Paused() const { return paused_; }

  // ReplayPace: waits until the wall clock reaches the recorded reading at this speed.
  void Reached(uint64_t ticks) override;
  bool Stopped() const override { return stopped_; }

  uint64_t Ticks() override { return screen_.Ticks(); }
  // The watcher's events are the watch's; the game's come from the tape.
  bool PollEvent(PlatformEvent&) override { return false; }
  void WaitUntil(uint64_t deadline) override { screen_.WaitUntil(deadline); }
  bool QuitRequested() const override { return stopped_ || screen_.QuitRequested(); }
  void Present(SDL_Surface* frame) override;
  bool SetFullScreen(bool fullScreen) override { return screen_.SetFullScreen(fullScreen); }
  bool IsFullScreen() const override { return screen_.IsFullScreen(); }
  bool IsActive() const override { return screen_.IsActive(); }
  void ShowCursor(bool show) override { screen_.ShowCursor(show); }
  bool CursorShown() const override { return screen_.CursorShown(); }
  bool OpenUrl(const std::string&) override { return false; }
  void SetMessageBox(const std::optional<MessageBoxContent>& box) override {
    screen_.SetMessageBox(box);
  }
  bool MessageBoxOkHit(int x, int y) const override { return screen_.MessageBoxOkHit(x, y); }
  JoystickState Joystick() override { return {}; }
  void Wake() override { screen_.Wake(); }
  int SoundOpen(const std::string& name, const uint8_t* wave, size_t size) override {
    return screen_.SoundOpen(name, wave, size);
  }
  int SoundPlay(int sound, bool looped) override { return screen_.SoundPlay(sound, looped); }
  void SoundStop(int voice) override { screen_.SoundStop(voice); }
  bool SoundPlaying(int voice) override { return screen_.SoundPlaying(voice); }
  int MusicLoad(const std::string& path) override { return screen_.MusicLoad(path); }
  void MusicPlay(int module) override { screen_.MusicPlay(module); }
  void MusicStop(int module) override { screen_.MusicStop(module); }
  void MusicFree(int module) override { screen_.MusicFree(module); }

 private:
  // Takes the watcher's pending keys; true when the pace changed.
  bool TakeKeys();
  // The wall clock and the recording's clock are tied again from here.
  void Anchor();
  void ShowLabel(SDL_Surface* frame);

  Platform& screen_;
  TCanvas canvas_;
  SDL_Surface* lastFrame_ = nullptr;
  bool anchored_ = false;
  uint64_t anchorTicks_ = 0;
  uint64_t anchorWall_ = 0;
  uint64_t lastTicks_ = 0;
  int speed_ = 1;
  bool paused_ = false;
  bool stopped_ = false;
};

}  // namespace brinecast
