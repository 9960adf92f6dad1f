// Asking the X server, not SDL, about the game's window, and the one request SDL cannot make.
#pragma once

#include <SDL_video.h>

namespace brinecast {

// What the X server says of the game's window. SDL takes full screen as granted the moment it
// is asked for and reports the screen's size, though without a window manager nobody resizes
// the window; and it misses a window manager maximising the window together with full screen.
// Off X11 every answer is SDL's own, or none.
class X11Window {
 public:
  explicit X11Window(SDL_Window* window);
  ~X11Window();
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  // Asks the server for the window's size; Size gives the answer until the next Refresh.
  void Refresh();
  // Width and height in SDL's window units (pixels on X11).
  void Size(int& width, int& height) const;
  // The window manager holds the window maximised both ways, or full screen.
  bool HeldLarge() const;
  // Asks the window manager to drop a maximised state SDL may not know of.
  void Unmaximise() const;
  // Names the window's class (WM_CLASS), which SDL takes from the executable's name unless
  // told through the environment. Before the window is shown.
  void SetClass(const char* name) const;

 private:
  struct Xlib;
  bool Ids(void*& display, unsigned long& window) const;

  SDL_Window* window_;
  void* library_ = nullptr;  // the X client library, opened again only for its functions
  Xlib* xlib_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace brinecast
