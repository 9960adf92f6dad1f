// The platform without a screen that tests and the simulator run the game on.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/SurfacePtr.h"
#include "platform/SurfaceSize.h"
#include "platform/headless/HeadlessMusic.h"
#include "platform/headless/SilentSound.h"

namespace brinecast {

// The machine without a screen: a virtual clock that only moves while the game
// waits, events queued by a test or a script, and every presented frame kept.
class HeadlessPlatform : public Platform {
 public:
  // Asked when the main loop waits with no event queued: it may queue events
  // and returns the virtual time it wants to reach; the clock then moves to the
  // earlier of that and the loop's deadline. nullopt ends the run.
  using Driver = std::function<std::optional<uint64_t>(uint64_t deadline)>;

  // Where the message box's OK button sits on the surface: centred, just below the middle.
  static constexpr int kOkWidth = 80;
  static constexpr int kOkHeight = 28;
  static constexpr int kOkLeft = (kSurfaceWidth - kOkWidth) / 2;
  static constexpr int kOkTop = kSurfaceHeight / 2 + 30;

  HeadlessPlatform();
  ~HeadlessPlatform() override;
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  uint64_t Ticks() override { return clock_; }
  bool PollEvent(PlatformEvent& event) override;
  void WaitUntil(uint64_t deadline) override;
  bool QuitRequested() const override { return quit_; }
  void Present(SDL_Surface* frame) override;
  bool SetFullScreen(bool fullScreen) override;
  bool IsFullScreen() const override { return fullScreen_; }
  bool IsActive() const override { return active_; }
  void ShowCursor(bool show) override { cursorShown_ = show; }
  bool CursorShown() const override { return cursorShown_; }
  bool OpenUrl(const std::string& target) override;
  void SetMessageBox(const std::optional<MessageBoxContent>& box) override { messageBox_ = box; }
  bool MessageBoxOkHit(int x, int y) const override;
  int SoundOpen(const std::string& name, const uint8_t* wave, size_t size) override;
  int SoundPlay(int sound, bool looped) override;
  void SoundStop(int voice) override;
  bool SoundPlaying(int voice) override;
  int MusicLoad(const std::string& path) override;
  void MusicPlay(int module) override;
  void MusicStop(int module) override;
  void MusicFree(int module) override;
  JoystickState Joystick() override { return joystick_; }

  // Test and script side.
  void QueueEvent(const PlatformEvent& event) { events_.push_back(event); }
  bool HasPendingEvents() const { return !events_.empty(); }
  void SetDriver(Driver driver) { driver_ = std::move(driver); }
  void RequestQuit() { quit_ = true; }
  // The game is busy for ms (a blocking call): time passes without the loop.
  void Busy(uint64_t ms) { clock_ += ms; }
  // Each Present costs this much virtual time, as a slow machine would.
  void SetFrameCost(uint64_t ms) { frameCost_ = ms; }
  // Plugging in, moving or unplugging the first joystick; unplugging queues
  // JoystickRemoved, as a desktop reports a pad pulled out.
  void SetJoystick(const JoystickState& state);
  // A display that refuses full screen, as a desktop may.
  void RefuseFullScreen(bool refuse) { refuseFullScreen_ = refuse; }
  // A desktop with no browser (or a failing one): OpenUrl says false, the target still kept.
  void SetOpenUrlWorks(bool works) { openUrlWorks_ = works; }
  // Without a sound device (set before the game opens its sounds) SoundOpen fails.
  void SetSoundDevice(bool present) { soundDevice_ = present; }
  // Every play and every stop of a playing voice, in order, with its virtual time.
  const std::vector<SoundRecord>& Sounds() const { return sound_.Records(); }
  // The module heard (or loaded last) and whether it plays.
  MusicRecord Music() const { return music_.State(); }
  // The open box: its text, caption and icon.
  const std::optional<MessageBoxContent>& MessageBox() const { return messageBox_; }
  const std::vector<std::string>& OpenedUrls() const { return opened_; }
  uint64_t FramesPresented() const { return framesPresented_; }
  // The last presented frame as ARGB8888, or null before the first one.
  SDL_Surface* LastFrame() const { return lastFrame_.get(); }

 private:
  uint64_t clock_ = 0;
  std::deque<PlatformEvent> events_;
  Driver driver_;
  bool quit_ = false;
  bool active_ = true;
  bool fullScreen_ = false;
  bool refuseFullScreen_ = false;
  bool cursorShown_ = true;
  uint64_t frameCost_ = 0;
  uint64_t framesPresented_ = 0;
  SurfacePtr lastFrame_;
  std::optional<MessageBoxContent> messageBox_;
  std::vector<std::string> opened_;
  bool openUrlWorks_ = true;
  JoystickState joystick_;
  bool soundDevice_ = true;
  SilentSound sound_;
  HeadlessMusic music_;
};

}  // namespace brinecast
