// The message loop: events, timers and frames, nested for message boxes and busy waits.
#include "app/MainLoop.h"

#include <algorithm>
#include <exception>
#include <limits>

#include "app/LoopHost.h"
#include "engine/WindowTimer.h"
#include "platform/VirtualKeys.h"

namespace brinecast {

namespace {

constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();

bool ClosesBox(int key) {
  return key == vk::Return || key == vk::Space || key == vk::Escape;
}

}  // namespace

bool MainLoop::Ending() const {
  return host_.Terminated() || platform_.QuitRequested();
}

void MainLoop::Run() {
  while (!Ending()) {
    DeliverDeferredClose();
    if (!Ending()) Pass(false);
  }
}

void MainLoop::RunPending() {
  DeliverDeferredClose();
  if (!Ending()) DeliverEvents(false);
}

void MainLoop::DeliverDeferredClose() {
  if (!deferredClose_ || nested_ > 0) return;
  deferredClose_ = false;
  PlatformEvent close;
  close.kind = PlatformEvent::Kind::Close;
  Guard([&] { host_.HandleEvent(close); });
}

void MainLoop::RunWhile(const std::function<bool()>& busy) {
  const bool outerBusy = busy_;
  busy_ = true;
  ++nested_;
  while (!Ending() && busy()) Pass(false);
  --nested_;
  busy_ = outerBusy;
}

void MainLoop::ShowMessage(const std::string& text) {
  ShowMessage(MessageBoxContent{text});
}

void MainLoop::ShowMessage(const MessageBoxContent& box) {
  messages_.push_back(box.text);
  const std::optional<MessageBoxContent> outer = openContent_;
  openContent_ = box;
  openBox_ = box.text;
  platform_.SetMessageBox(openContent_);
  ++nested_;
  while (!Ending()) {
    if (Pass(true)) break;
  }
  --nested_;
  openContent_ = outer;
  openBox_ = outer ? std::optional<std::string>(outer->text) : std::nullopt;
  platform_.SetMessageBox(openContent_);
}

void MainLoop::Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowMessage(error.what());
  }
}

bool MainLoop::BoxTakes(const PlatformEvent& event) {
  using Kind = PlatformEvent::Kind;
  switch (event.kind) {
    case Kind::KeyDown:
      if (!ClosesBox(event.key)) return false;
      // A held key repeats its press but is released once.
      if (std::find(swallowKeyUp_.begin(), swallowKeyUp_.end(), event.key) == swallowKeyUp_.end()) {
        swallowKeyUp_.push_back(event.key);
      }
      return true;
    case Kind::KeyUp: {
      auto pending = std::find(swallowKeyUp_.begin(), swallowKeyUp_.end(), event.key);
      if (pending != swallowKeyUp_.end()) {
        swallowKeyUp_.erase(pending);
        return false;
      }
      return ClosesBox(event.key);
    }
    case Kind::Click:
      return platform_.MessageBoxOkHit(event.x, event.y);
    case Kind::DismissBox:
      return true;
    default:
      return false;
  }
}

bool MainLoop::Pass(bool boxOpen) {
  if (DeliverEvents(boxOpen)) return true;
  if (Ending()) return false;
  const uint64_t now = platform_.Ticks();
  FireDueTimers(now);
  DeliverDeferredClose();
  if (Ending()) return false;
  RunFrameIfDue(platform_.Ticks());
  DeliverDeferredClose();
  if (Ending()) return false;
  // Even when already behind, ask: a past deadline returns at once, and a
  // headless driver gets its turn between back-to-back slow frames.
  platform_.WaitUntil(NextDue());
  return false;
}

bool MainLoop::DeliverEvents(bool boxOpen) {
  using Kind = PlatformEvent::Kind;
  PlatformEvent event;
  while (!Ending() && platform_.PollEvent(event)) {
    // Focus changes reach the game even under a box; other input is the box's.
    const bool focus = event.kind == Kind::Activate || event.kind == Kind::Deactivate ||
                       event.kind == Kind::JoystickRemoved || event.kind == Kind::Script;
    // A close request under a box or a running request is kept for later, not lost.
    if (event.kind == Kind::Close && (boxOpen || busy_)) {
      deferredClose_ = true;
      continue;
    }
    const bool keyEvent = event.kind == Kind::KeyDown || event.kind == Kind::KeyUp;
    if (boxOpen && !focus) {
      if (keyEvent) host_.KeyHeld(event.key, event.kind == Kind::KeyDown);
      if (BoxTakes(event)) return true;
      continue;
    }
    if (busy_ && !focus) {
      if (keyEvent) host_.KeyHeld(event.key, event.kind == Kind::KeyDown);
      continue;
    }
    if (event.kind == Kind::KeyUp) {
      auto pending = std::find(swallowKeyUp_.begin(), swallowKeyUp_.end(), event.key);
      if (pending != swallowKeyUp_.end()) {
        swallowKeyUp_.erase(pending);
        host_.KeyHeld(event.key, false);
        continue;
      }
    }
    if (event.kind == Kind::DismissBox) continue;
    Guard([&] { host_.HandleEvent(event); });
    DeliverDeferredClose();
  }
  return false;
}

void MainLoop::FireDueTimers(uint64_t now) {
  // Each due timer fires once, earliest first; a handler may change the
  // others (or run a nested loop that fires them), so pick afresh each time.
  for (;;) {
    size_t best = host_.TimerCount();
    for (size_t i = 0; i < host_.TimerCount(); ++i) {
      const WindowTimer& timer = host_.Timer(i);
      if (!timer.Enabled() || timer.Due() > now) continue;
      if (best == host_.TimerCount() || timer.Due() < host_.Timer(best).Due()) best = i;
    }
    if (best == host_.TimerCount()) return;
    host_.Timer(best).Advance(platform_.Ticks());
    Guard([&] { host_.TimerTick(best); });
    if (Ending()) return;
  }
}

void MainLoop::RunFrameIfDue(uint64_t now) {
  TDXTimer& frame = host_.FrameTimer();
  if (!frame.Enabled || (frame.ActiveOnly && !platform_.IsActive())) return;
  if (now < frame.LastTime + frame.Interval) return;
  const uint64_t lag = frame.Interval == 0 ? 1 : (now - frame.LastTime) / frame.Interval;
  frame.LastTime = now;
  const auto lagCount =
      static_cast<uint32_t>(std::clamp<uint64_t>(lag, 1, std::numeric_limits<uint32_t>::max()));
  Guard([&] { host_.Frame(lagCount); });
}

uint64_t MainLoop::NextDue() const {
  uint64_t next = kNever;
  for (size_t i = 0; i < host_.TimerCount(); ++i) {
    const WindowTimer& timer = host_.Timer(i);
    if (timer.Enabled()) next = std::min(next, timer.Due());
  }
  const TDXTimer& frame = host_.FrameTimer();
  if (frame.Enabled && (!frame.ActiveOnly || platform_.IsActive())) {
    next = std::min(next, frame.LastTime + frame.Interval);
  }
  return next;
}

}  // namespace brinecast
