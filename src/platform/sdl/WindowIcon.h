// The game's icon on its window, for the desktop's task switcher and dock.
#pragma once

#include <SDL_video.h>

namespace brinecast {

// Gives the window the game's icon (drawn from packaging/brinecast.svg at build time).
void SetWindowIcon(SDL_Window* window);

}  // namespace brinecast
