// The functions the page calls with the player's input, each handed the platform the page was
// told of (Module.brinecastPlatform).
#include <emscripten.h>

#include "platform/web/browser/WebPlatform.h"

namespace {

brinecast::WebPlatform& Of(void* platform) {
  return *static_cast<brinecast::WebPlatform*>(platform);
}

brinecast::MouseButton ButtonOf(int button) {
  // The page's MouseEvent.button: 0 left, 1 middle, 2 right.
  if (button == 2) return brinecast::MouseButton::Right;
  if (button == 1) return brinecast::MouseButton::Middle;
  return brinecast::MouseButton::Left;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void brinecast_key(void* platform, int down, int key, int alt) {
  Of(platform).Key(down != 0, key, alt != 0);
}

// kind: 0 move, 1 press, 2 release.
EMSCRIPTEN_KEEPALIVE void brinecast_pointer(void* platform, int kind, int button, double x,
                                            double y, double width, double height) {
  using Kind = brinecast::PlatformEvent::Kind;
  const Kind kinds[] = {Kind::MouseMove, Kind::MouseDown, Kind::MouseUp};
  if (kind < 0 || kind > 2) return;
  Of(platform).Pointer(kinds[kind], ButtonOf(button), x, y, width, height);
}

// phase: 0 start, 1 move, 2 end, 3 cancel.
EMSCRIPTEN_KEEPALIVE void brinecast_touch(void* platform, int phase, int finger, double x, double y,
                                          double width, double height) {
  Of(platform).Touch(phase, finger, x, y, width, height);
}

EMSCRIPTEN_KEEPALIVE void brinecast_focus(void* platform, int active) {
  Of(platform).Focus(active != 0);
}

EMSCRIPTEN_KEEPALIVE void brinecast_pad_removed(void* platform) {
  Of(platform).PadRemoved();
}

EMSCRIPTEN_KEEPALIVE void brinecast_audio_running(void* platform, int running) {
  Of(platform).AudioRunning(running != 0);
}

EMSCRIPTEN_KEEPALIVE const float* brinecast_audio_render(void* platform, int frames) {
  return Of(platform).RenderAudio(frames);
}

EMSCRIPTEN_KEEPALIVE void brinecast_storage_failed(void* platform) {
  Of(platform).StorageFailed();
}

}  // extern "C"
