// Mirroring the pattern cells of a source picture, cell by cell along the item's own grid.
#include "MirrorCells.h"

#include <algorithm>
#include <cstddef>

namespace brinecast {

void MirrorCells(SourceImage& image, const PatternGeometry& geometry) {
  const PatternGrid grid(geometry, image.width, image.height);
  for (int64_t pattern = 0; pattern < grid.Count(); ++pattern) {
    const TRect cell = grid.Rect(pattern);
    for (int y = cell.Top; y < cell.Bottom; ++y) {
      const auto row =
          image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width + cell.Left;
      std::reverse(row, row + cell.Width());
    }
  }
}

}  // namespace brinecast
