// The platform without a screen: a virtual clock, queued events, the last frame kept, and
// sound and music recorded instead of heard.
#include "platform/headless/HeadlessPlatform.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/Rect.h"

namespace brinecast {

namespace {
constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();
}

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

bool HeadlessPlatform::PollEvent(PlatformEvent& event) {
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  // The focus changes when the game hears of it, as on a desktop.
  if (event.kind == PlatformEvent::Kind::Activate) active_ = true;
  if (event.kind == PlatformEvent::Kind::Deactivate) active_ = false;
  return true;
}

void HeadlessPlatform::WaitUntil(uint64_t deadline) {
  if (!events_.empty() || quit_) return;
  uint64_t target = deadline;
  if (driver_) {
    std::optional<uint64_t> wanted = driver_(deadline);
    if (!wanted) {
      quit_ = true;
      return;
    }
    if (!events_.empty()) return;
    target = std::min(deadline, *wanted);
  }
  // Nothing can ever happen again: end rather than hang.
  if (target == kNever) {
    quit_ = true;
    return;
  }
  clock_ = std::max(clock_, target);
}

void HeadlessPlatform::Present(SDL_Surface* frame) {
  ++framesPresented_;
  clock_ += frameCost_;
  if (frame == nullptr) return;
  if (!lastFrame_ || lastFrame_->w != frame->w || lastFrame_->h != frame->h) {
    lastFrame_.reset(
        SDL_CreateRGBSurfaceWithFormat(0, frame->w, frame->h, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!lastFrame_) return;
  }
  if (frame->format->format == SDL_PIXELFORMAT_ARGB8888) {
    SDL_LockSurface(frame);
    for (int row = 0; row < frame->h; ++row) {
      std::memcpy(static_cast<uint8_t*>(lastFrame_->pixels) + row * lastFrame_->pitch,
                  static_cast<const uint8_t*>(frame->pixels) + row * frame->pitch,
                  static_cast<size_t>(frame->w) * 4);
    }
    SDL_UnlockSurface(frame);
  } else {
    SDL_ConvertPixels(frame->w, frame->h, frame->format->format, frame->pixels, frame->pitch,
                      SDL_PIXELFORMAT_ARGB8888, lastFrame_->pixels, lastFrame_->pitch);
  }
}

bool HeadlessPlatform::SetFullScreen(bool fullScreen) {
  if (fullScreen && refuseFullScreen_) return false;
  fullScreen_ = fullScreen;
  return true;
}

bool HeadlessPlatform::OpenUrl(const std::string& target) {
  opened_.push_back(target);
  return openUrlWorks_;
}

bool HeadlessPlatform::MessageBoxOkHit(int x, int y) const {
  const TRect ok{kOkLeft, kOkTop, kOkLeft + kOkWidth, kOkTop + kOkHeight};
  return messageBox_.has_value() && ok.Contains(x, y);
}

void HeadlessPlatform::SetJoystick(const JoystickState& state) {
  const bool unplugged = joystick_.present && !state.present;
  // An absent pad holds nothing, whatever the caller left in the other fields.
  joystick_ = state.present ? state : JoystickState{};
  if (unplugged) events_.push_back({PlatformEvent::Kind::JoystickRemoved});
}

int HeadlessPlatform::SoundOpen(const std::string& name, const uint8_t* wave, size_t size) {
  return soundDevice_ ? sound_.Open(name, wave, size) : -1;
}
int HeadlessPlatform::SoundPlay(int sound, bool looped) {
  return sound_.Play(sound, looped, clock_);
}
void HeadlessPlatform::SoundStop(int voice) {
  sound_.Stop(voice, clock_);
}
bool HeadlessPlatform::SoundPlaying(int voice) {
  return sound_.Playing(voice, clock_);
}
int HeadlessPlatform::MusicLoad(const std::string& path) {
  return music_.Load(path);
}
void HeadlessPlatform::MusicPlay(int module) {
  music_.Play(module);
}
void HeadlessPlatform::MusicStop(int module) {
  music_.Stop(module);
}
void HeadlessPlatform::MusicFree(int module) {
  music_.Free(module);
}

}  // namespace brinecast
