#include "MirrorCells.h"

#include <algorithm>
#include <cstddef>

namespace brinecast {

void MirrorCells(SourceImage& image, int patternWidth, int patternHeight, int skipWidth,
                 int skipHeight) {
  const int cellW = patternWidth > 0 ? patternWidth : image.width;
  const int cellH = patternHeight > 0 ? patternHeight : image.height;
  for (int top = 0; top + cellH <= image.height; top += cellH + skipHeight)
    for (int left = 0; left + cellW <= image.width; left += cellW + skipWidth)
      for (int y = top; y < top + cellH; ++y) {
        const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width + left;
        std::reverse(row, row + cellW);
      }
}

}  // namespace brinecast
