// The recorder: answers pass through from the real platform and go on the tape.
#include "replay/RecordingPlatform.h"

namespace brinecast::replay {

void RecordingPlatform::GameStarts(const StartState& start) {
  start_ = start;
  tape_ = std::make_unique<TapeWriter>(start.ticks);
  frames_ = 0;
}

void RecordingPlatform::GameEnds(const EndState& end) {
  if (!tape_) return;
  Recording recording;
  recording.build = ThisBuild();
  recording.start = start_;
  recording.tape = tape_->Bytes();
  recording.scripted = tape_->Scripted();
  recording.end = end;
  last_ = std::move(recording);
  tape_.reset();
}

std::string RecordingPlatform::ScriptStep(const std::string& line) {
  if (tape_) tape_->Script(line);
  return line;
}

bool RecordingPlatform::Tape(Answer answer, bool value) const {
  if (tape_) tape_->Flag(answer, value);
  return value;
}

uint64_t RecordingPlatform::Ticks() {
  const uint64_t now = Inner().Ticks();
  if (tape_) tape_->Ticks(now);
  return now;
}

bool RecordingPlatform::PollEvent(PlatformEvent& event) {
  const bool got = Inner().PollEvent(event);
  if (tape_) tape_->Event(got ? &event : nullptr);
  return got;
}

void RecordingPlatform::Present(SDL_Surface* frame) {
  if (tape_) ++frames_;
  Inner().Present(frame);
}

bool RecordingPlatform::SetFullScreen(bool fullScreen) {
  return Tape(Answer::kFullScreenSet, Inner().SetFullScreen(fullScreen));
}

bool RecordingPlatform::IsFullScreen() const {
  return Tape(Answer::kFullScreen, Inner().IsFullScreen());
}

bool RecordingPlatform::IsActive() const {
  return Tape(Answer::kActive, Inner().IsActive());
}

bool RecordingPlatform::CursorShown() const {
  return Tape(Answer::kCursorShown, Inner().CursorShown());
}

bool RecordingPlatform::OpenUrl(const std::string& target) {
  return Tape(Answer::kOpened, Inner().OpenUrl(target));
}

bool RecordingPlatform::MessageBoxOkHit(int x, int y) const {
  return Tape(Answer::kBoxOkHit, Inner().MessageBoxOkHit(x, y));
}

JoystickState RecordingPlatform::Joystick() {
  const JoystickState state = Inner().Joystick();
  if (tape_) tape_->Joystick(state);
  return state;
}

int RecordingPlatform::MusicLoad(const std::string& path) {
  const int module = Inner().MusicLoad(path);
  Tape(Answer::kMusicLoaded, module >= 0);
  return module;
}

}  // namespace brinecast::replay
