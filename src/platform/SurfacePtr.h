// The one owning pointer for SDL surfaces, shared by every layer that holds one.
#pragma once

#include <SDL_surface.h>

#include <memory>

namespace brinecast {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace brinecast
