// A build step, not part of the game: turns the window icon's PNG into a C++ header of
// straight-alpha ARGB pixels, so the game decodes no picture at run time.
//
// usage: brinecast_icon_pixels ICON.png HEADER.h
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: brinecast_icon_pixels ICON.png HEADER.h\n");
    return 2;
  }
  SDL_Surface* loaded = IMG_Load(argv[1]);
  if (loaded == nullptr) {
    std::fprintf(stderr, "brinecast_icon_pixels: %s: %s\n", argv[1], IMG_GetError());
    return 1;
  }
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (argb == nullptr || argb->w != argb->h) {
    std::fprintf(stderr, "brinecast_icon_pixels: %s: not a square picture\n", argv[1]);
    return 1;
  }
  std::ofstream out(argv[2]);
  out << "// The window's icon, generated from packaging/brinecast.svg by the build.\n"
         "#pragma once\n\n#include <cstdint>\n\nnamespace brinecast {\n\n"
         "inline constexpr int kWindowIconSide = "
      << argb->w << ";\ninline constexpr uint32_t kWindowIconPixels[] = {";
  char hex[16];
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                        y * argb->pitch);
    for (int x = 0; x < argb->w; ++x) {
      std::snprintf(hex, sizeof hex, "0x%08X,", static_cast<unsigned>(row[x]));
      out << ((y * argb->w + x) % 8 == 0 ? "\n    " : " ") << hex;
    }
  }
  out << "\n};\n\n}  // namespace brinecast\n";
  SDL_FreeSurface(argb);
  out.close();
  if (!out) {
    std::fprintf(stderr, "brinecast_icon_pixels: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
