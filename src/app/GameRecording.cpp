// What a recorded game starts from and how it ends: captured for the recorder, put back for a
// replay, and the hash of the game's state both compare.
#include "app/Snapshot.h"
#include "app/TForm1.h"
#include "objects/Fish.h"
#include "objects/Objcts.h"
#include "objects/Player.h"
#include "objects/Puzir.h"

namespace brinecast {

namespace {

// 64-bit FNV-1a: small, and the same everywhere.
uint64_t Fnv1a(const std::string& text) {
  uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<uint8_t>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

}  // namespace

void TForm1::ClearLeftovers() {
  for (TSprite* sprite : DXSpriteEngine1.Engine().DrawOrder()) {
    if (dynamic_cast<TFish*>(sprite) == nullptr && dynamic_cast<TObjcts*>(sprite) == nullptr &&
        dynamic_cast<TPuzir*>(sprite) == nullptr) {
      continue;
    }
    sprite->Kill();
  }
  // Killed sprites wait for the next frame's purge, and until then they still move: a boat
  // left behind by the last game would take the new boat's first pointer step.
  DXSpriteEngine1.PurgeDead();
}

replay::StartState TForm1::CaptureStart() {
  replay::StartState start;
  start.ticks = platform_.Ticks();
  start.random = RandomState();
  start.frameNo = FrameNo();
  start.soundOn = Config.SoundOn;
  start.musicOn = Config.MusicOn;
  start.sendOnline = Config.SendOnline;
  const WindowTimer* timers[] = {&Timer1, &Timer2, &Timer3, &Timer4};
  for (size_t i = 0; i < start.timers.size(); ++i) {
    start.timers[i] = {timers[i]->Enabled(), timers[i]->Due()};
  }
  start.frameEnabled = DXTimer1.Enabled;
  start.frameActiveOnly = DXTimer1.ActiveOnly;
  start.frameInterval = DXTimer1.Interval;
  start.frameLast = DXTimer1.LastTime;
  start.hookLoad = HookLoad;
  start.catchSoundDue = CatchSoundDue;
  const InputMemory input = DXInput1.Memory();
  start.heldKeys.assign(input.held.begin(), input.held.end());
  start.inputStates = input.states;
  start.inputPrevious = input.previous;
  start.mouseHeld = MouseHeld;
  start.mouseStepLeft = MouseStepLeft;
  start.mouseStepRight = MouseStepRight;
  start.lastMouseX = lastMouseX_;
  start.keySum = KeySum;
  start.swallowedKeyUps.assign(Loop.SwallowedKeyUps().begin(), Loop.SwallowedKeyUps().end());
  return start;
}

void TForm1::RestoreStart(const replay::StartState& start) {
  RestoreDraws(start.random, start.frameNo);
  Config.SoundOn = start.soundOn;
  Config.MusicOn = start.musicOn;
  Config.SendOnline = start.sendOnline;
  WindowTimer* timers[] = {&Timer1, &Timer2, &Timer3, &Timer4};
  for (size_t i = 0; i < start.timers.size(); ++i) {
    timers[i]->Restore(start.timers[i].enabled, start.timers[i].due);
  }
  DXTimer1.Enabled = start.frameEnabled;
  DXTimer1.ActiveOnly = start.frameActiveOnly;
  DXTimer1.Interval = start.frameInterval;
  DXTimer1.LastTime = start.frameLast;
  DXInput1.Restore(
      {{start.heldKeys.begin(), start.heldKeys.end()}, start.inputStates, start.inputPrevious});
  HookLoad = start.hookLoad;
  CatchSoundDue = start.catchSoundDue;
  MouseHeld = start.mouseHeld;
  MouseStepLeft = start.mouseStepLeft;
  MouseStepRight = start.mouseStepRight;
  lastMouseX_ = start.lastMouseX;
  KeySum = start.keySum;
  Loop.RestoreSwallowedKeyUps({start.swallowedKeyUps.begin(), start.swallowedKeyUps.end()});
}

replay::EndState TForm1::Ending(bool complete) {
  replay::EndState end;
  end.complete = complete;
  const TPlayer* player = Player.Get();
  end.score = player ? player->Score() : 0;
  end.level = LevelNo;
  end.frames = recorder_ ? recorder_->FramesShown() : 0;
  end.state = PlayStateHash();
  return end;
}

void TForm1::EndRecording(bool complete) {
  if (recorder_ == nullptr || !recorder_->GameRunning()) return;
  recorder_->GameEnds(Ending(complete));
  KeepLastGame();
}

uint64_t TForm1::PlayStateHash() {
  return Fnv1a(PlayState(*this));
}

}  // namespace brinecast
