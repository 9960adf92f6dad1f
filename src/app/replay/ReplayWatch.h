// Watching a recording in the window: the replay keeps to the wall clock, P pauses, F and the
// digit keys set the speed, Esc or the window's close ends it; a small label says so.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/Canvas.h"
#include "platform/PlatformRelay.h"
#include "replay/TapePlatform.h"

namespace brinecast {

// Stands between a replay and the screen: it paces the replay and takes the watcher's keys
// (the game hears only what was recorded), and passes everything else to the screen.
class ReplayWatch final : public PlatformRelay, public replay::ReplayPace {
 public:
  explicit ReplayWatch(Platform& screen) : PlatformRelay(screen) {}

  int Speed() const { return speed_; }
  bool Paused() const { return paused_; }

  // ReplayPace: waits until the wall clock reaches the recorded reading at this speed.
  void Reached(uint64_t ticks) override;
  bool Stopped() const override { return stopped_; }

  // The watcher's events are the watch's; the game's come from the tape.
  bool PollEvent(PlatformEvent&) override { return false; }
  bool QuitRequested() const override { return stopped_ || Inner().QuitRequested(); }
  void Present(SDL_Surface* frame) override;
  // A replay opens no pages and hears no joystick.
  bool OpenUrl(const std::string&) override { return false; }
  JoystickState Joystick() override { return {}; }

 private:
  // Takes the watcher's pending keys; true when the pace changed.
  bool TakeKeys();
  // The wall clock and the recording's clock are tied again from here.
  void Anchor();
  void ShowLabel(SDL_Surface* frame);

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
