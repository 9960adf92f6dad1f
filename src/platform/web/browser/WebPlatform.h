// The platform of the game in a browser tab: the canvas, the page's input, Web Audio through
// an AudioWorklet, and sleeping by yielding to the page.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/SurfacePtr.h"
#include "platform/sdl/MessageBoxOverlay.h"
#include "platform/web/TouchGesture.h"
#include "platform/web/VoiceMixer.h"
#include "platform/web/browser/WebMusic.h"

namespace brinecast {

// The page (src/platform/web/page/) feeds it through the brinecast_* functions exported from
// PageInput.cpp, giving back the pointer it is told at construction. audioRate is the page's
// AudioContext rate, 0 when the page has no sound.
class WebPlatform final : public Platform {
 public:
  explicit WebPlatform(int audioRate);
  ~WebPlatform() override;
  WebPlatform(const WebPlatform&) = delete;
  WebPlatform& operator=(const WebPlatform&) = delete;

  uint64_t Ticks() override;
  bool PollEvent(PlatformEvent& event) override;
  void WaitUntil(uint64_t deadline) override;
  bool QuitRequested() const override { return false; }
  void Present(SDL_Surface* frame) override;
  bool SetFullScreen(bool fullScreen) override;
  bool IsFullScreen() const override { return fullScreen_; }
  bool IsActive() const override { return active_ && !notice_; }
  void ShowCursor(bool show) override;
  bool CursorShown() const override { return cursorShown_; }
  bool OpenUrl(const std::string& target) override;
  void SetMessageBox(const std::optional<MessageBoxContent>& box) override;
  bool MessageBoxOkHit(int x, int y) const override;
  JoystickState Joystick() override;
  void Wake() override;
  int SoundOpen(const std::string& name, const uint8_t* wave, size_t size) override;
  int SoundPlay(int sound, bool looped) override;
  void SoundStop(int voice) override;
  bool SoundPlaying(int voice) override;
  int MusicLoad(const std::string& path) override;
  void MusicPlay(int module) override;
  void MusicStop(int module) override;
  void MusicFree(int module) override;

  // What the page tells. Pointer and touch positions are CSS pixels inside the canvas's box
  // of boxW x boxH.
  void Key(bool down, int key, bool alt);
  void Pointer(PlatformEvent::Kind kind, MouseButton button, double x, double y, double boxW,
               double boxH);
  void Touch(int phase, int finger, double x, double y, double boxW, double boxH);
  void Focus(bool active);
  void PadRemoved();
  void AudioRunning(bool running) { audioRunning_ = running; }
  // frames of interleaved stereo float for the worklet; valid until the next call.
  const float* RenderAudio(int frames);
  // The browser's storage refused a write: told once, in the game's box.
  void StorageFailed();

 private:
  void Push(const PlatformEvent& event);
  void PushAll(const std::vector<PlatformEvent>& events);
  // The notice's own keys and clicks, taken while it is up; true when the event was its.
  bool NoticeTakes(const PlatformEvent& event);
  void ShowBox();
  void Show();
  void KeepVoicesInTime();

  uint64_t start_ = 0;
  std::deque<PlatformEvent> pending_;
  TouchGesture touch_;
  bool leftDownOnFrame_ = false;
  bool active_ = true;
  bool fullScreen_ = false;
  bool cursorShown_ = true;
  SurfacePtr frame_;            // the last frame the game presented
  SurfacePtr shown_;            // that frame with the open box over it
  std::vector<uint32_t> rgba_;  // the picture in the canvas's byte order
  MessageBoxOverlay box_;
  std::optional<MessageBoxContent> gameBox_;
  std::optional<MessageBoxContent> notice_;  // the platform's own word, under no game box
  bool storageFailureTold_ = false;
  int swallowKeyUp_ = 0;  // the key that closed the notice: its release is the notice's too
  VoiceMixer mixer_;
  WebMusic music_;
  std::vector<float> audio_;
  bool audioRunning_ = false;
  uint64_t voicesAt_ = 0;  // when the voices were last moved on without a running output
};

}  // namespace brinecast
