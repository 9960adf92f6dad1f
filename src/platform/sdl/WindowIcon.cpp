// The window's icon from the pixels the build made of the game's art.
#include "platform/sdl/WindowIcon.h"

#include <SDL_surface.h>

#include "platform/sdl/WindowIconPixels.h"

namespace brinecast {

static_assert(sizeof kWindowIconPixels / sizeof kWindowIconPixels[0] ==
              static_cast<size_t>(kWindowIconSide) * kWindowIconSide);

void SetWindowIcon(SDL_Window* window) {
  // SDL copies the pixels; the surface only lends them.
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(kWindowIconPixels), kWindowIconSide, kWindowIconSide, 32,
      kWindowIconSide * 4, SDL_PIXELFORMAT_ARGB8888);
  if (icon == nullptr) return;
  SDL_SetWindowIcon(window, icon);
  SDL_FreeSurface(icon);
}

}  // namespace brinecast
