// The X server's answer for the window's size, through the X library SDL itself loaded.
#include "platform/sdl/TrueWindowSize.h"

#include <SDL_loadso.h>
#include <SDL_syswm.h>

namespace brinecast {

namespace {
using GetGeometry = decltype(&XGetGeometry);
}

TrueWindowSize::TrueWindowSize(SDL_Window* window) : window_(window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  // Loaded at run time, as SDL does: the game needs no X library where it runs without X.
  library_ = SDL_LoadObject("libX11.so.6");
  if (library_ != nullptr) getGeometry_ = SDL_LoadFunction(library_, "XGetGeometry");
}

TrueWindowSize::~TrueWindowSize() {
  if (library_ != nullptr) SDL_UnloadObject(library_);
}

void TrueWindowSize::Get(int& width, int& height) const {
  SDL_GetWindowSize(window_, &width, &height);
  if (getGeometry_ == nullptr) return;
  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned w = 0;
  unsigned h = 0;
  unsigned border = 0;
  unsigned depth = 0;
  // Asked afresh each time: making a renderer may give the window a new X window.
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window_, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  const auto getGeometry = reinterpret_cast<GetGeometry>(getGeometry_);
  if (getGeometry(info.info.x11.display, info.info.x11.window, &root, &x, &y, &w, &h, &border,
                  &depth) != 0 &&
      w > 0 && h > 0) {
    width = static_cast<int>(w);
    height = static_cast<int>(h);
  }
}

}  // namespace brinecast
