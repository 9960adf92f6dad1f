// How an image item's picture is cut into patterns: the geometry an item stores and the grid
// of whole cells it gives, shared by the image lists, the archive tool and its checks.
#pragma once

#include <cstdint>

#include "engine/Geometry.h"

namespace brinecast {

// Pattern size (0 or less: the picture's) and the gaps left out between patterns.
struct PatternGeometry {
  int PatternWidth = 0;
  int PatternHeight = 0;
  int SkipWidth = 0;
  int SkipHeight = 0;
};

// The patterns of a picture: cells of pattern size plus skip, numbered row by row; cells that
// do not fit wholly are not patterns. Wide arithmetic, as sizes and skips come from files
// unchecked; every pattern lies inside the picture, so its rectangle fits an int.
class PatternGrid {
 public:
  PatternGrid(const PatternGeometry& geometry, int pictureWidth, int pictureHeight)
      : width_(geometry.PatternWidth > 0 ? geometry.PatternWidth : pictureWidth),
        height_(geometry.PatternHeight > 0 ? geometry.PatternHeight : pictureHeight),
        stepX_(int64_t{width_} + geometry.SkipWidth),
        stepY_(int64_t{height_} + geometry.SkipHeight) {
    if (width_ <= 0 || height_ <= 0 || stepX_ <= 0 || stepY_ <= 0) return;
    columns_ = (int64_t{pictureWidth} + geometry.SkipWidth) / stepX_;
    rows_ = (int64_t{pictureHeight} + geometry.SkipHeight) / stepY_;
    if (columns_ <= 0 || rows_ <= 0) columns_ = rows_ = 0;
  }

  // The pattern size.
  int Width() const { return width_; }
  int Height() const { return height_; }
  int64_t Columns() const { return columns_; }
  int64_t Rows() const { return rows_; }
  int64_t Count() const { return columns_ * rows_; }

  // Pattern `index` (0 <= index < Count()).
  TRect Rect(int64_t index) const {
    const int left = static_cast<int>(index % columns_ * stepX_);
    const int top = static_cast<int>(index / columns_ * stepY_);
    return TRect{left, top, left + width_, top + height_};
  }

 private:
  int width_;
  int height_;
  int64_t stepX_;
  int64_t stepY_;
  int64_t columns_ = 0;
  int64_t rows_ = 0;
};

}  // namespace brinecast
