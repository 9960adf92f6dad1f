// The replay: a platform that answers the game's readings from a recording's tape and passes
// what the game shows and plays on to a real platform (a window, or a silent headless one).
#pragma once

#include <optional>
#include <string>

#include "platform/PlatformRelay.h"
#include "replay/GameRecorder.h"
#include "replay/Tape.h"

namespace brinecast::replay {

// Sets the pace of a watched replay: told each clock reading the game takes, it may wait for
// the wall clock, pause, or end the replay.
class ReplayPace {
 public:
  virtual ~ReplayPace() = default;
  virtual void Reached(uint64_t ticks) = 0;
  virtual bool Stopped() const = 0;
};

class TapePlatform final : public PlatformRelay, public GameRecorder {
 public:
  // The recording must outlive the platform. pace may be null (as fast as it goes).
  TapePlatform(const Recording& recording, Platform& inner, ReplayPace* pace = nullptr);

  // A reading the replay cannot give (say, a set-up step with no one to run it).
  void Refuse(const std::string& why) const { Fail(why); }

  // How the replayed game ended, once it did.
  const std::optional<EndState>& Ended() const { return ended_; }
  // Why the replay stopped short of the recording: the game read other than the tape holds.
  const std::optional<std::string>& Failure() const { return failure_; }
  bool TapeUsedUp() const { return reader_.AtEnd(); }

  // GameRecorder: the replayed game reports its own start and end.
  // The replayed game starts: readings come from the tape from now on.
  void GameStarts(const StartState& start) override;
  void GameEnds(const EndState& end) override;
  bool GameRunning() const override { return started_ && !ended_; }
  uint64_t FramesShown() const override { return frames_; }
  std::string ScriptStep(const std::string& line) override;

  // Platform: readings come from the tape; pictures and sound go on to the inner platform.
  uint64_t Ticks() override;
  bool PollEvent(PlatformEvent& event) override;
  void WaitUntil(uint64_t) override {}
  bool QuitRequested() const override;
  void Present(SDL_Surface* frame) override;
  bool SetFullScreen(bool fullScreen) override;
  bool IsFullScreen() const override;
  bool IsActive() const override;
  bool CursorShown() const override;
  bool OpenUrl(const std::string& target) override;
  void SetMessageBox(const std::optional<MessageBoxContent>& box) override;
  bool MessageBoxOkHit(int x, int y) const override;
  JoystickState Joystick() override;
  void Wake() override {}
  int MusicLoad(const std::string& path) override;
  void MusicPlay(int module) override;
  void MusicStop(int module) override;
  void MusicFree(int module) override;

 private:
  // A module the game loaded then that this machine cannot: the game holds it, nothing plays.
  static constexpr int kSilentModule = 0x7FFFFFFF;

  // Readings come from the tape now (started, not ended, not failed).
  bool Reading() const { return started_ && !ended_ && !failure_; }
  bool Flag(Answer answer, bool fallback) const;
  void Fail(const std::string& why) const;

  const Recording& recording_;
  ReplayPace* pace_;
  mutable TapeReader reader_;
  bool started_ = false;
  uint64_t frames_ = 0;
  std::optional<EndState> ended_;
  mutable std::optional<std::string> failure_;
};

}  // namespace brinecast::replay
