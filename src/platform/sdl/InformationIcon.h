// The message box's information icon, drawn from shapes at any size.
#pragma once

#include <SDL_surface.h>

#include <cstdint>

#include "platform/Rect.h"

namespace brinecast {

// The pixel (x, y) of a size x size icon as straight-alpha ARGB: a blue disc in a dark ring
// with a white serif "i", edges smoothed; transparent outside the disc.
uint32_t InformationIconPixel(int x, int y, int size);

// Blends the icon over an ARGB8888 surface, filling the square at r's top left.
void DrawInformationIcon(SDL_Surface* surface, const TRect& r);

}  // namespace brinecast
