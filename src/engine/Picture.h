// A decoded bitmap as read from an image archive.
#pragma once

#include <cstdint>
#include <vector>

namespace brinecast {

// A decoded bitmap as read from an archive: rows top-down, each pixel
// 0x00RRGGBB (the layout of an ARGB8888 surface, alpha unused).
struct Picture {
  int width = 0;
  int height = 0;
  int bitCount = 0;               // bits per pixel of the stored bitmap
  std::vector<uint32_t> pixels;   // width * height entries
  std::vector<uint32_t> palette;  // 0x00RRGGBB entries of a paletted bitmap
  // Read for its sizes only: checked like any other, but its pixels were never decoded.
  bool sizesOnly = false;

  bool Empty() const { return width <= 0 || height <= 0; }
};

// How much of a stored picture to decode. A process that never draws (the replayer) reads
// sizes only: the rules need a picture's sizes and pattern grid, never its pixels.
enum class PictureDetail { kPixels, kSizes };

}  // namespace brinecast
