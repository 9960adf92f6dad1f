// ScriptRunner: each command turned into events, waits, set-up steps and snapshots.
#include "ScriptRunner.h"

#include <cerrno>
#include <cstring>

#include "PngFile.h"
#include "ScriptedHttp.h"
#include "SetupCommands.h"
#include "app/Snapshot.h"
#include "app/TForm1.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinecast::sim {

namespace {
constexpr int kBlankWidth = 800;
constexpr int kBlankHeight = 600;
}  // namespace

void ScriptRunner::SetForm(TForm1* form) {
  form_ = form;
  if (form_ == nullptr) return;
  form_->SetScriptStep([this] {
    if (setups_.empty()) return;
    const Command command = setups_.front();
    setups_.pop_front();
    // A recorded game keeps the step's line, so its replay can run the same step.
    if (replay::GameRecorder* recorder = form_->Recorder()) recorder->ScriptStep(command.source);
    RunSetup(*form_, command);
  });
}

void ScriptRunner::Queue(PlatformEvent event) {
  if (event.kind != PlatformEvent::Kind::MouseMove) {
    event.x = pointerX_;
    event.y = pointerY_;
  }
  platform_.QueueEvent(event);
}

std::optional<uint64_t> ScriptRunner::Drive(uint64_t deadline) {
  if (ended_) return std::nullopt;
  try {
    for (;;) {
      const uint64_t now = platform_.Ticks();
      if (waitUntil_) {
        if (now < *waitUntil_) return waitUntil_;
        waitUntil_.reset();
        if (releaseAfterWait_) {
          PlatformEvent up;
          up.kind = PlatformEvent::Kind::KeyUp;
          up.key = *releaseAfterWait_;
          releaseAfterWait_.reset();
          Queue(up);
          return now;
        }
      }
      if (framesUntil_) {
        if (platform_.FramesPresented() < *framesUntil_) {
          if (!platform_.IsActive() && !platform_.HasPendingEvents()) {
            throw ScriptError(framesLine_, "no frame can come while the window is inactive");
          }
          return deadline;
        }
        framesUntil_.reset();
      }
      std::optional<Command> command = source_();
      if (!command) {
        ended_ = true;
        return std::nullopt;
      }
      if (std::optional<uint64_t> target = Execute(*command)) return target;
      if (ended_) return std::nullopt;
    }
  } catch (const ScriptError& error) {
    error_ = error;
    ended_ = true;
    return std::nullopt;
  }
}

std::optional<uint64_t> ScriptRunner::Execute(const Command& command) {
  using Op = Command::Op;
  using Kind = PlatformEvent::Kind;
  const uint64_t now = platform_.Ticks();
  switch (command.op) {
    case Op::Wait:
      waitUntil_ = now + command.amount;
      return waitUntil_;
    case Op::Frames:
      framesUntil_ = platform_.FramesPresented() + command.amount;
      framesLine_ = command.line;
      return std::nullopt;  // checked on the next turn of Drive
    case Op::Event:
      if (command.setsPointer) {
        pointerX_ = command.event.x;
        pointerY_ = command.event.y;
      }
      Queue(command.event);
      return now;
    case Op::Press:
    case Op::Hold: {
      PlatformEvent key = command.event;
      key.kind = Kind::KeyDown;
      Queue(key);
      if (command.op == Op::Hold) {
        releaseAfterWait_ = key.key;
        waitUntil_ = now + command.amount;
        return waitUntil_;
      }
      key.kind = Kind::KeyUp;
      Queue(key);
      return now;
    }
    case Op::Click:
      for (Kind kind : {Kind::MouseDown, Kind::MouseUp, Kind::Click}) {
        PlatformEvent event;
        event.kind = kind;
        event.button = MouseButton::Left;
        Queue(event);
      }
      return now;
    case Op::Joystick:
      platform_.SetJoystick(command.joystick);
      return std::nullopt;
    case Op::Snapshot: {
      if (form_ == nullptr) throw ScriptError(command.line, "the game has no window yet");
      SnapshotRecords records;
      records.opened = platform_.OpenedUrls();
      for (const auto& sound : platform_.Sounds()) {
        records.sounds.push_back({sound.action, sound.name, sound.t});
      }
      if (http_ != nullptr) records.http = http_->Requested();
      records.machine = &platform_;
      out_ << Snapshot(*form_, records) << '\n';
      out_.flush();
      return std::nullopt;
    }
    case Op::Set:
    case Op::Spawn:
    case Op::Call: {
      if (form_ == nullptr) throw ScriptError(command.line, "the game has no window yet");
      CheckSetup(*form_, command);
      setups_.push_back(command);
      PlatformEvent script;
      script.kind = Kind::Script;
      Queue(script);
      return now;
    }
    case Op::HttpReply:
      if (http_ != nullptr) http_->QueueReply(command.text);
      return std::nullopt;
    case Op::HttpFail:
      if (http_ != nullptr) http_->QueueFailure();
      return std::nullopt;
    case Op::Screenshot:
      Screenshot(command);
      return std::nullopt;
    case Op::Quit:
      ended_ = true;
      return std::nullopt;
  }
  return std::nullopt;
}

void ScriptRunner::Screenshot(const Command& command) const {
  SDL_Surface* frame = platform_.LastFrame();
  // Opaque RGB: the frame's alpha byte carries nothing the player sees. Before the
  // first frame the window shows black.
  SDL_Surface* rgb = frame != nullptr ? SDL_ConvertSurfaceFormat(frame, SDL_PIXELFORMAT_RGB24, 0)
                                      : SDL_CreateRGBSurfaceWithFormat(0, kBlankWidth, kBlankHeight,
                                                                       24, SDL_PIXELFORMAT_RGB24);
  if (frame == nullptr && rgb != nullptr) SDL_FillRect(rgb, nullptr, 0);
  const bool saved =
      rgb != nullptr &&
      WritePng(command.file, static_cast<const uint8_t*>(rgb->pixels), rgb->w, rgb->h, rgb->pitch);
  const std::string reason = rgb == nullptr ? SDL_GetError() : std::strerror(errno);
  SDL_FreeSurface(rgb);
  if (!saved) throw ScriptError(command.line, "cannot write '" + command.file + "': " + reason);
}

}  // namespace brinecast::sim
