// The browser platform: the page's input queued as the game's events, frames and the box drawn
// onto the canvas, effects and music mixed for the page's audio worklet.
#include "platform/web/browser/WebPlatform.h"

#include <SDL_surface.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/SurfaceSize.h"
#include "platform/VirtualKeys.h"
#include "platform/sdl/Letterbox.h"
#include "platform/web/SameOriginUrl.h"
#include "platform/web/WaveDecoder.h"
#include "platform/web/browser/PageCalls.h"

namespace brinecast {

namespace {

SurfacePtr NewFrame() {
  return SurfacePtr(SDL_CreateRGBSurfaceWithFormat(0, kSurfaceWidth, kSurfaceHeight, 32,
                                                   SDL_PIXELFORMAT_ARGB8888));
}

// Copies rows, alpha and all, whatever blend mode the game left on its surface.
void CopyPixels(SDL_Surface* from, SDL_Surface* to) {
  const int rows = std::min(from->h, to->h);
  const size_t bytes = static_cast<size_t>(std::min(from->w, to->w)) * 4;
  for (int y = 0; y < rows; ++y) {
    std::memcpy(static_cast<uint8_t*>(to->pixels) + static_cast<size_t>(y) * to->pitch,
                static_cast<const uint8_t*>(from->pixels) + static_cast<size_t>(y) * from->pitch,
                bytes);
  }
}

PlatformEvent Simple(PlatformEvent::Kind kind) {
  PlatformEvent event;
  event.kind = kind;
  return event;
}

bool ClosesNotice(int key) {
  return key == vk::Return || key == vk::Space || key == vk::Escape;
}

}  // namespace

WebPlatform::WebPlatform(int audioRate)
    : frame_(NewFrame()),
      shown_(NewFrame()),
      mixer_(static_cast<uint32_t>(std::max(audioRate, 0))),
      music_(audioRate) {
  start_ = static_cast<uint64_t>(PageNow());
  if (frame_) SDL_FillRect(frame_.get(), nullptr, 0xFF000000U);
  PageAttach(this);
}

WebPlatform::~WebPlatform() {
  PageAttach(nullptr);
}

uint64_t WebPlatform::Ticks() {
  const double now = PageNow() - static_cast<double>(start_);
  return now > 0 ? static_cast<uint64_t>(now) : 0;
}

void WebPlatform::Push(const PlatformEvent& event) {
  if (event.kind == PlatformEvent::Kind::KeyUp && swallowKeyUp_ != 0 &&
      event.key == swallowKeyUp_) {
    swallowKeyUp_ = 0;
    return;
  }
  if (notice_ && NoticeTakes(event)) return;
  pending_.push_back(event);
}

void WebPlatform::PushAll(const std::vector<PlatformEvent>& events) {
  for (const PlatformEvent& event : events) Push(event);
}

bool WebPlatform::PollEvent(PlatformEvent& event) {
  KeepVoicesInTime();
  PushAll(touch_.Tick(Ticks()));
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

void WebPlatform::WaitUntil(uint64_t deadline) {
  if (const std::optional<uint64_t> hold = touch_.NextDeadline()) {
    deadline = std::min(deadline, *hold);
  }
  const uint64_t now = Ticks();
  // Even a deadline already past yields once, so the page can draw and take input.
  if (!pending_.empty()) return;
  PageSleep(deadline > now ? static_cast<double>(deadline - now) : 0.0);
}

void WebPlatform::Wake() {
  PageWake();
}

void WebPlatform::Key(bool down, int key, bool alt) {
  PlatformEvent event = Simple(down ? PlatformEvent::Kind::KeyDown : PlatformEvent::Kind::KeyUp);
  event.key = key;
  event.alt = alt;
  Push(event);
}

void WebPlatform::Pointer(PlatformEvent::Kind kind, MouseButton button, double x, double y,
                          double boxW, double boxH) {
  const TRect fit =
      FitFrame(static_cast<int>(std::lround(boxW)), static_cast<int>(std::lround(boxH)));
  const SurfacePoint at =
      WindowToSurface(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), fit);
  PlatformEvent event = Simple(kind);
  event.x = at.x;
  event.y = at.y;
  event.button = button;
  Push(event);
  if (button != MouseButton::Left || kind == PlatformEvent::Kind::MouseMove) return;
  // A click is a left press and release both on the picture, told after the release.
  const bool down = kind == PlatformEvent::Kind::MouseDown;
  if (!down && leftDownOnFrame_ && at.inside) {
    event.kind = PlatformEvent::Kind::Click;
    Push(event);
  }
  leftDownOnFrame_ = down && at.inside;
}

void WebPlatform::Touch(int phase, int finger, double x, double y, double boxW, double boxH) {
  const TRect fit =
      FitFrame(static_cast<int>(std::lround(boxW)), static_cast<int>(std::lround(boxH)));
  const SurfacePoint at =
      WindowToSurface(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), fit);
  const uint64_t now = Ticks();
  switch (phase) {
    case 0:
      PushAll(touch_.Begin(finger, at.x, at.y, now));
      break;
    case 1:
      PushAll(touch_.Move(finger, at.x, at.y, now));
      break;
    case 2:
      PushAll(touch_.End(finger, at.x, at.y, now));
      break;
    default:
      PushAll(touch_.Cancel(finger));
      break;
  }
}

void WebPlatform::Focus(bool active) {
  if (active == active_) return;
  active_ = active;
  // Under the notice the game stays paused until the notice is closed.
  if (!notice_)
    Push(Simple(active ? PlatformEvent::Kind::Activate : PlatformEvent::Kind::Deactivate));
}

void WebPlatform::PadRemoved() {
  if (!PagePad().present) Push(Simple(PlatformEvent::Kind::JoystickRemoved));
}

void WebPlatform::Present(SDL_Surface* frame) {
  if (frame == nullptr || !frame_) return;
  CopyPixels(frame, frame_.get());
  Show();
}

void WebPlatform::Show() {
  if (!frame_ || !shown_) return;
  SDL_Surface* picture = frame_.get();
  if (SDL_Surface* box = box_.Picture()) {
    CopyPixels(frame_.get(), shown_.get());
    SDL_SetSurfaceBlendMode(box, SDL_BLENDMODE_BLEND);
    SDL_BlitSurface(box, nullptr, shown_.get(), nullptr);
    picture = shown_.get();
  }
  // ARGB words become the canvas's R, G, B, A bytes, always opaque: on little-endian wasm
  // that is the word with red and blue swapped, written a word at a time.
  rgba_.resize(static_cast<size_t>(kSurfaceWidth) * kSurfaceHeight);
  uint32_t* out = rgba_.data();
  for (int y = 0; y < kSurfaceHeight; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(
        static_cast<const uint8_t*>(picture->pixels) + static_cast<size_t>(y) * picture->pitch);
    for (int x = 0; x < kSurfaceWidth; ++x) {
      const uint32_t argb = row[x];
      *out++ = 0xFF000000U | (argb & 0x0000FF00U) | ((argb >> 16) & 0xFFU) | ((argb & 0xFFU) << 16);
    }
  }
  PagePresent(reinterpret_cast<const uint8_t*>(rgba_.data()), kSurfaceWidth, kSurfaceHeight);
}

bool WebPlatform::SetFullScreen(bool fullScreen) {
  fullScreen_ = fullScreen;
  PageFullScreen(fullScreen);
  return true;
}

void WebPlatform::ShowCursor(bool show) {
  cursorShown_ = show;
  PageCursor(show);
}

bool WebPlatform::OpenUrl(const std::string& target) {
  const std::optional<std::string> path = SameOriginTarget(target);
  return path && PageOpenTab(*path);
}

void WebPlatform::ShowBox() {
  box_.Set(gameBox_ ? gameBox_ : notice_);
  Show();
}

void WebPlatform::SetMessageBox(const std::optional<MessageBoxContent>& box) {
  gameBox_ = box;
  ShowBox();
}

bool WebPlatform::MessageBoxOkHit(int x, int y) const {
  return gameBox_ && box_.OkHit(x, y);
}

void WebPlatform::StorageFailed() {
  if (storageFailureTold_) return;
  storageFailureTold_ = true;
  notice_ = MessageBoxContent{
      "Your options, high scores and recordings cannot be saved in this browser (its storage is "
      "full or turned off). You can go on playing; what changes now is lost when the page "
      "closes.",
      "Information", BoxIcon::Information};
  // The game pauses as when the tab loses the focus, and goes on once the notice is closed.
  if (active_) pending_.push_back(Simple(PlatformEvent::Kind::Deactivate));
  if (!gameBox_) ShowBox();
}

bool WebPlatform::NoticeTakes(const PlatformEvent& event) {
  using Kind = PlatformEvent::Kind;
  // Under a game box the game's box has the keys; the notice waits for it to close.
  if (gameBox_) return false;
  bool close = false;
  switch (event.kind) {
    case Kind::KeyDown:
      close = ClosesNotice(event.key);
      if (close) swallowKeyUp_ = event.key;
      break;
    case Kind::KeyUp:
    case Kind::MouseDown:
    case Kind::MouseUp:
    case Kind::MouseMove:
      break;
    case Kind::Click:
      close = box_.OkHit(event.x, event.y);
      break;
    default:
      return false;  // focus and the rest are the game's
  }
  if (close) {
    notice_.reset();
    ShowBox();
    if (active_) pending_.push_back(Simple(Kind::Activate));
  }
  return true;
}

JoystickState WebPlatform::Joystick() {
  return PagePad();
}

void WebPlatform::KeepVoicesInTime() {
  const uint64_t now = Ticks();
  if (!audioRunning_ && now > voicesAt_) {
    mixer_.Skip(static_cast<size_t>((now - voicesAt_) * mixer_.Rate() / 1000));
  }
  voicesAt_ = now;
}

const float* WebPlatform::RenderAudio(int frames) {
  const size_t count = static_cast<size_t>(std::max(frames, 0));
  audio_.resize(count * 2);
  VoiceMixer::MusicFill fill;
  if (music_.Heard()) fill = [this](int16_t* out, size_t n) { music_.Render(out, n); };
  mixer_.Mix(audio_.data(), count, fill);
  voicesAt_ = Ticks();
  return audio_.data();
}

int WebPlatform::SoundOpen(const std::string&, const uint8_t* wave, size_t size) {
  if (mixer_.Rate() == 0) return -1;
  std::optional<DecodedWave> decoded = DecodeWave(wave, size);
  return decoded ? mixer_.AddSound(std::move(*decoded)) : -1;
}
int WebPlatform::SoundPlay(int sound, bool looped) {
  KeepVoicesInTime();
  return mixer_.Play(sound, looped);
}
void WebPlatform::SoundStop(int voice) {
  mixer_.Stop(voice);
}
bool WebPlatform::SoundPlaying(int voice) {
  KeepVoicesInTime();
  return mixer_.Playing(voice);
}
int WebPlatform::MusicLoad(const std::string& path) {
  return music_.Load(path);
}
void WebPlatform::MusicPlay(int module) {
  music_.Play(module);
}
void WebPlatform::MusicStop(int module) {
  music_.Stop(module);
}
void WebPlatform::MusicFree(int module) {
  music_.Free(module);
}

}  // namespace brinecast
