// The watcher's pace: recorded milliseconds become wall-clock milliseconds over the speed.
#include "app/replay/ReplayWatch.h"

#include <SDL.h>

#include "objects/TextStyle.h"
#include "platform/VirtualKeys.h"

namespace brinecast {

namespace {

// How long a paused replay sleeps before it looks at the keys again (events wake it sooner).
constexpr uint64_t kPausedNapMs = 250;
// Where the label sits: the dark bar at the bottom, above the level clock's gauge.
constexpr int kLabelX = 190;
constexpr int kLabelY = 558;
constexpr int kLabelWidth = 430;
constexpr int kLabelHeight = 19;  // down to the gauge, descenders and all

// The frame's colour at (x, y), as the canvas takes colours.
uint32_t PixelAt(SDL_Surface* frame, int x, int y) {
  const auto* row = static_cast<const uint8_t*>(frame->pixels) + y * frame->pitch;
  const uint32_t argb = reinterpret_cast<const uint32_t*>(row)[x];
  return RGB((argb >> 16U) & 0xFFU, (argb >> 8U) & 0xFFU, argb & 0xFFU);
}

}  // namespace

void ReplayWatch::Anchor() {
  anchorTicks_ = lastTicks_;
  anchorWall_ = Inner().Ticks();
  anchored_ = true;
}

bool ReplayWatch::TakeKeys() {
  bool changed = false;
  PlatformEvent event;
  while (Inner().PollEvent(event)) {
    if (event.kind == PlatformEvent::Kind::Close) stopped_ = true;
    if (event.kind != PlatformEvent::Kind::KeyDown) continue;
    if (event.key == vk::Escape) stopped_ = true;
    if (event.key == 'P') paused_ = !paused_;
    if (event.key == 'F') speed_ = speed_ >= 4 ? 1 : speed_ * 2;
    if (event.key == '1' || event.key == '2' || event.key == '4') speed_ = event.key - '0';
    changed = true;
  }
  return changed;
}

void ReplayWatch::Reached(uint64_t ticks) {
  if (!anchored_) {
    lastTicks_ = ticks;
    Anchor();
  }
  for (;;) {
    if (TakeKeys()) {
      Anchor();
      if (lastFrame_ != nullptr) Present(lastFrame_);
    }
    if (stopped_ || Inner().QuitRequested()) {
      stopped_ = true;
      return;
    }
    if (paused_) {
      Inner().WaitUntil(Inner().Ticks() + kPausedNapMs);
      continue;
    }
    // A clock that went back (it never should) is simply not waited for.
    const uint64_t ahead = ticks > anchorTicks_ ? ticks - anchorTicks_ : 0;
    const uint64_t due = anchorWall_ + ahead / static_cast<uint64_t>(speed_);
    if (Inner().Ticks() >= due) break;
    Inner().WaitUntil(due);
  }
  lastTicks_ = ticks;
}

void ReplayWatch::Present(SDL_Surface* frame) {
  lastFrame_ = frame;
  ShowLabel(frame);
  Inner().Present(frame);
}

void ReplayWatch::ShowLabel(SDL_Surface* frame) {
  // On the finished frame, which the game fills afresh before its next one; over a strip of the
  // bar's own colour, so a label written again over a frame shown twice stays readable.
  const std::string label =
      paused_ ? "REPLAY   paused   P: go on   Esc: leave"
              : "REPLAY   " + std::to_string(speed_) + "x   F: faster   P: pause   Esc: leave";
  canvas_.SetSurface(frame);
  SetFont(canvas_, "Arial", 10, true, kGold);
  canvas_.Brush.Style = TBrushStyle::bsSolid;
  canvas_.Brush.Color = PixelAt(frame, kLabelX - 2, kLabelY);
  canvas_.Pen.Style = TPenStyle::psClear;
  canvas_.Rectangle(kLabelX - 2, kLabelY, kLabelX + kLabelWidth, kLabelY + kLabelHeight);
  canvas_.Brush.Style = TBrushStyle::bsClear;
  canvas_.TextOut(kLabelX, kLabelY + 1, label);
}

}  // namespace brinecast
