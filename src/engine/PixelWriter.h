// Putting picture pixels onto a locked surface with the key colour left out.
#pragma once

#include <SDL_surface.h>

#include <cstdint>
#include <optional>

namespace brinecast {

inline uint32_t* PixelRow(SDL_Surface* s, int y) {
  return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) +
                                     static_cast<size_t>(y) * s->pitch);
}

// Puts prepared ARGB8888 picture pixels onto a locked 32-bit destination,
// leaving the key colour out. For our own draws that SDL has no blitter for.
class TPixelWriter {
 public:
  TPixelWriter(SDL_Surface* dest, std::optional<uint32_t> keyRgb)
      : dest_(dest),
        locked_(SDL_MUSTLOCK(dest) && SDL_LockSurface(dest) == 0),
        usable_(dest->format->BytesPerPixel == 4 && (!SDL_MUSTLOCK(dest) || locked_)),
        sameFormat_(dest->format->format == SDL_PIXELFORMAT_ARGB8888),
        key_(keyRgb) {}
  ~TPixelWriter() {
    if (locked_) SDL_UnlockSurface(dest_);
  }
  TPixelWriter(const TPixelWriter&) = delete;
  TPixelWriter& operator=(const TPixelWriter&) = delete;

  bool Usable() const { return usable_; }

  void Put(uint32_t* out, uint32_t pixel) const {
    if (key_ && (pixel & 0xFFFFFFu) == *key_) return;
    *out = sameFormat_
               ? pixel
               : SDL_MapRGB(dest_->format, (pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

 private:
  SDL_Surface* dest_;
  bool locked_;
  bool usable_;
  bool sameFormat_;
  std::optional<uint32_t> key_;
};

}  // namespace brinecast
