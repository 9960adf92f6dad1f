// A test tool, not the game: the real desktop platform showing a frame with coloured corners,
// so a test under Xvfb can see where the frame lands, answering maximise with full screen as
// the game does and reporting on stdout what it heard and did.
//
// usage: brinecast_window_probe [--fullscreen] [--box]
//   --fullscreen  asks for full screen at once, as a first start does
//   --box         shows the information box with its caption and icon over the frame
// F2 switches between window and full screen; a close request ends the probe.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <exception>

#include "platform/SurfacePtr.h"
#include "platform/VirtualKeys.h"
#include "platform/sdl/SdlPlatform.h"

namespace {

using brinecast::PlatformEvent;

constexpr int kMarker = 24;  // the side of each corner's square, in surface pixels

void FillRect(SDL_Surface* s, int x, int y, int w, int h, uint32_t argb) {
  const SDL_Rect r = {x, y, w, h};
  SDL_FillRect(s, &r, argb);
}

// Grey with a green top left, red top right, yellow bottom left and blue bottom right.
brinecast::SurfacePtr CornerFrame() {
  brinecast::SurfacePtr frame(SDL_CreateRGBSurfaceWithFormat(
      0, brinecast::kSurfaceWidth, brinecast::kSurfaceHeight, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!frame) return frame;
  const int w = frame->w;
  const int h = frame->h;
  SDL_FillRect(frame.get(), nullptr, 0xFF808080);
  FillRect(frame.get(), 0, 0, kMarker, kMarker, 0xFF00FF00);
  FillRect(frame.get(), w - kMarker, 0, kMarker, kMarker, 0xFFFF0000);
  FillRect(frame.get(), 0, h - kMarker, kMarker, kMarker, 0xFFFFFF00);
  FillRect(frame.get(), w - kMarker, h - kMarker, kMarker, kMarker, 0xFF0000FF);
  return frame;
}

void Report(brinecast::SdlPlatform& platform, const char* what) {
  std::printf("%s fullscreen=%d\n", what, platform.IsFullScreen() ? 1 : 0);
  std::fflush(stdout);
}

int Run(bool fullScreen, bool box) {
  brinecast::SdlPlatform platform;
  brinecast::SurfacePtr frame = CornerFrame();
  if (!frame) return 1;
  if (fullScreen) platform.SetFullScreen(true);
  if (box) {
    platform.SetMessageBox(
        brinecast::MessageBoxContent{"No web browser could be opened. Open this address by hand:\n"
                                     "http://localhost:8765/world?from=the-window-probe&page=1",
                                     "Information", brinecast::BoxIcon::Information});
  }
  platform.Present(frame.get());
  Report(platform, "ready");
  for (;;) {
    PlatformEvent event;
    while (platform.PollEvent(event)) {
      if (event.kind == PlatformEvent::Kind::Close) {
        Report(platform, "close");
        return 0;
      }
      if (event.kind == PlatformEvent::Kind::Maximise) {
        platform.SetFullScreen(true);  // as the game answers it
        Report(platform, "maximise");
      }
      if (event.kind == PlatformEvent::Kind::KeyUp && event.key == brinecast::vk::F1 + 1) {
        platform.SetFullScreen(!platform.IsFullScreen());
        Report(platform, "switch");
      }
    }
    platform.Present(frame.get());
    platform.WaitUntil(platform.Ticks() + 16);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool fullScreen = false;
  bool box = false;
  for (int i = 1; i < argc; ++i) {
    fullScreen = fullScreen || std::strcmp(argv[i], "--fullscreen") == 0;
    box = box || std::strcmp(argv[i], "--box") == 0;
  }
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0) {
    std::fprintf(stderr, "window_probe: %s\n", SDL_GetError());
    return 1;
  }
  int status = 1;
  try {
    status = Run(fullScreen, box);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "window_probe: %s\n", error.what());
  }
  SDL_Quit();
  return status;
}
