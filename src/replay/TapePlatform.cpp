// The replay's answers. A reading the tape cannot give ends the replay quietly: the failure is
// kept for the verdict, and the game gets harmless answers until its loop ends.
#include "replay/TapePlatform.h"

namespace brinecast::replay {

TapePlatform::TapePlatform(const Recording& recording, Platform& inner, ReplayPace* pace)
    : PlatformRelay(inner),
      recording_(recording),
      pace_(pace),
      reader_(recording.tape, recording.start.ticks) {}

void TapePlatform::GameStarts(const StartState& start) {
  if (started_) return;
  started_ = true;
  // What the game found at its start here must be what it found then.
  if (!(start == recording_.start)) Fail("the game did not start as it was recorded");
}

void TapePlatform::GameEnds(const EndState& end) {
  if (started_ && !ended_) ended_ = end;
}

void TapePlatform::Fail(const std::string& why) const {
  if (!failure_) failure_ = why;
}

std::string TapePlatform::ScriptStep(const std::string& line) {
  if (!Reading()) return line;
  try {
    return reader_.Script();
  } catch (const std::exception& error) {
    Fail(error.what());
    return {};
  }
}

uint64_t TapePlatform::Ticks() {
  if (!Reading()) return reader_.LastTicks();
  try {
    const uint64_t now = reader_.Ticks();
    if (pace_) pace_->Reached(now);
    return now;
  } catch (const std::exception& error) {
    Fail(error.what());
    return reader_.LastTicks();
  }
}

bool TapePlatform::PollEvent(PlatformEvent& event) {
  if (!Reading()) return false;
  try {
    return reader_.Event(event);
  } catch (const std::exception& error) {
    Fail(error.what());
    return false;
  }
}

void TapePlatform::SetMessageBox(const std::optional<MessageBoxContent>& box) {
  // Before the game starts nobody could close a box: it can only say the game cannot start.
  if (!started_ && box) Fail("the game could not start: " + box->text);
  Inner().SetMessageBox(box);
}

bool TapePlatform::QuitRequested() const {
  if (failure_) return true;
  if (!started_) return false;
  if (ended_ || failure_ || (pace_ && pace_->Stopped())) return true;
  // A recording that stopped before its game ended ends where its tape does.
  return !recording_.end.complete && reader_.AtEnd();
}

void TapePlatform::Present(SDL_Surface* frame) {
  if (Reading()) ++frames_;
  Inner().Present(frame);
}

bool TapePlatform::Flag(Answer answer, bool fallback) const {
  if (!Reading()) return fallback;
  try {
    return reader_.Flag(answer);
  } catch (const std::exception& error) {
    Fail(error.what());
    return fallback;
  }
}

bool TapePlatform::SetFullScreen(bool fullScreen) {
  // The watcher's window keeps its own mode; the game hears what it heard then.
  if (!Reading()) return Inner().SetFullScreen(fullScreen);
  return Flag(Answer::kFullScreenSet, false);
}

bool TapePlatform::IsFullScreen() const {
  return Flag(Answer::kFullScreen, Inner().IsFullScreen());
}

bool TapePlatform::IsActive() const {
  return Flag(Answer::kActive, true);
}

bool TapePlatform::CursorShown() const {
  return Flag(Answer::kCursorShown, Inner().CursorShown());
}

bool TapePlatform::OpenUrl(const std::string& target) {
  // A replay never opens pages.
  if (!Reading()) return Inner().OpenUrl(target);
  return Flag(Answer::kOpened, false);
}

bool TapePlatform::MessageBoxOkHit(int x, int y) const {
  if (!Reading()) return Inner().MessageBoxOkHit(x, y);
  return Flag(Answer::kBoxOkHit, false);
}

JoystickState TapePlatform::Joystick() {
  if (!Reading()) return started_ ? JoystickState{} : Inner().Joystick();
  try {
    return reader_.Joystick();
  } catch (const std::exception& error) {
    Fail(error.what());
    return {};
  }
}

int TapePlatform::MusicLoad(const std::string& path) {
  const int module = Inner().MusicLoad(path);
  // Before the game starts the menu's music may fail to load here: no box, it just stays quiet.
  if (!started_) return module >= 0 ? module : kSilentModule;
  if (!Reading()) return module;
  // The game must see the load go as it went then, whatever this machine can play.
  const bool loaded = Flag(Answer::kMusicLoaded, module >= 0);
  if (loaded && module < 0) return kSilentModule;
  if (!loaded && module >= 0) {
    Inner().MusicFree(module);
    return -1;
  }
  return module;
}

void TapePlatform::MusicPlay(int module) {
  if (module != kSilentModule) Inner().MusicPlay(module);
}

void TapePlatform::MusicStop(int module) {
  if (module != kSilentModule) Inner().MusicStop(module);
}

void TapePlatform::MusicFree(int module) {
  if (module != kSilentModule) Inner().MusicFree(module);
}

}  // namespace brinecast::replay
