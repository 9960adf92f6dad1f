// Asking the window system, not SDL, how big the game's window is.
#pragma once

#include <SDL_video.h>

namespace brinecast {

// The window's size as the window system has it. SDL takes full screen as granted the moment
// it is asked for and reports the screen's size, but without a window manager nobody resizes
// the window. On X11 the server is asked; elsewhere SDL's own figure is all there is.
class TrueWindowSize {
 public:
  explicit TrueWindowSize(SDL_Window* window);
  ~TrueWindowSize();
  TrueWindowSize(const TrueWindowSize&) = delete;
  TrueWindowSize& operator=(const TrueWindowSize&) = delete;

  // Width and height in SDL's window units (pixels on X11).
  void Get(int& width, int& height) const;

 private:
  SDL_Window* window_;
  void* library_ = nullptr;  // the X client library, opened again only for its function
  void* getGeometry_ = nullptr;
};

}  // namespace brinecast
