// The recorder: a platform in front of the real one that passes everything through and, while
// a game runs, writes down every answer the game reads.
#pragma once

#include <memory>
#include <optional>

#include "platform/Platform.h"
#include "replay/GameRecorder.h"
#include "replay/Tape.h"

namespace brinecast::replay {

class RecordingPlatform final : public Platform, public GameRecorder {
 public:
  explicit RecordingPlatform(Platform& inner) : inner_(inner) {}

  // The last game recorded (finished by GameEnds), if any; the claim is left empty.
  const std::optional<Recording>& LastGame() const { return last_; }
  std::optional<Recording>& LastGame() { return last_; }

  // GameRecorder.
  void GameStarts(const StartState& start) override;
  void GameEnds(const EndState& end) override;
  bool GameRunning() const override { return tape_ != nullptr; }
  uint64_t FramesShown() const override { return frames_; }
  std::string ScriptStep(const std::string& line) override;
  std::optional<Recording>* Finished() override { return &last_; }

  // Platform: every call goes to the real platform; the answers are taped.
  uint64_t Ticks() override;
  bool PollEvent(PlatformEvent& event) override;
  void WaitUntil(uint64_t deadline) override { inner_.WaitUntil(deadline); }
  bool QuitRequested() const override { return inner_.QuitRequested(); }
  void Present(SDL_Surface* frame) override;
  bool SetFullScreen(bool fullScreen) override;
  bool IsFullScreen() const override;
  bool IsActive() const override;
  void ShowCursor(bool show) override { inner_.ShowCursor(show); }
  bool CursorShown() const override;
  bool OpenUrl(const std::string& target) override;
  void SetMessageBox(const std::optional<MessageBoxContent>& box) override {
    inner_.SetMessageBox(box);
  }
  bool MessageBoxOkHit(int x, int y) const override;
  JoystickState Joystick() override;
  void Wake() override { inner_.Wake(); }
  int SoundOpen(const std::string& name, const uint8_t* wave, size_t size) override {
    return inner_.SoundOpen(name, wave, size);
  }
  int SoundPlay(int sound, bool looped) override { return inner_.SoundPlay(sound, looped); }
  void SoundStop(int voice) override { inner_.SoundStop(voice); }
  bool SoundPlaying(int voice) override { return inner_.SoundPlaying(voice); }
  int MusicLoad(const std::string& path) override;
  void MusicPlay(int module) override { inner_.MusicPlay(module); }
  void MusicStop(int module) override { inner_.MusicStop(module); }
  void MusicFree(int module) override { inner_.MusicFree(module); }

 private:
  bool Tape(Answer answer, bool value) const;

  Platform& inner_;
  // Const readers tape too: the tape is what the game saw, not part of the platform's state.
  mutable std::unique_ptr<TapeWriter> tape_;
  StartState start_;
  uint64_t frames_ = 0;
  std::optional<Recording> last_;
};

}  // namespace brinecast::replay
