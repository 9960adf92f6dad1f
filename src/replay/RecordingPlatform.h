// The recorder: a platform in front of the real one that passes everything through and, while
// a game runs, writes down every answer the game reads.
#pragma once

#include <memory>
#include <optional>

#include "platform/PlatformRelay.h"
#include "replay/GameRecorder.h"
#include "replay/Tape.h"

namespace brinecast::replay {

class RecordingPlatform final : public PlatformRelay, public GameRecorder {
 public:
  explicit RecordingPlatform(Platform& inner) : PlatformRelay(inner) {}

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

  // Platform: what the game reads from the real platform is taped on its way through.
  uint64_t Ticks() override;
  bool PollEvent(PlatformEvent& event) override;
  void Present(SDL_Surface* frame) override;
  bool SetFullScreen(bool fullScreen) override;
  bool IsFullScreen() const override;
  bool IsActive() const override;
  bool CursorShown() const override;
  bool OpenUrl(const std::string& target) override;
  bool MessageBoxOkHit(int x, int y) const override;
  JoystickState Joystick() override;
  int MusicLoad(const std::string& path) override;

 private:
  bool Tape(Answer answer, bool value) const;

  // Const readers tape too: the tape is what the game saw, not part of the platform's state.
  mutable std::unique_ptr<TapeWriter> tape_;
  StartState start_;
  uint64_t frames_ = 0;
  std::optional<Recording> last_;
};

}  // namespace brinecast::replay
