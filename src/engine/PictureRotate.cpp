// Drawing a pattern scaled and rotated about a point, our own code as no blitter does it.
#include <SDL_surface.h>

#include <algorithm>
#include <cmath>

#include "engine/CosTable.h"
#include "engine/PictureCollectionItem.h"
#include "engine/PixelWriter.h"

namespace brinecast {

namespace {

constexpr double kFixedOne = 65536.0;

long long ToFixed(double value) {
  return std::llround(value * kFixedOne);
}

}  // namespace

void TPictureCollectionItem::DrawRotated(SDL_Surface* dest, int x, int y, int width, int height,
                                         int pattern, double centerX, double centerY,
                                         int angle) const {
  if (pixels_ == nullptr || dest == nullptr || !PatternInRange(pattern)) return;
  if (width == 0 || height == 0) return;
  const TRect& r = patterns_[pattern];
  const int pw = r.Width();
  const int ph = r.Height();
  if (pw <= 0 || ph <= 0) return;

  const double c = Cos256(angle);
  const double s = Sin256(angle);
  const double cx = centerX * width;
  const double cy = centerY * height;
  // A centre this far out cannot land a pixel on any surface, and would
  // overflow the fixed-point stepping.
  constexpr double kFar = 1e8;
  if (!(std::abs(cx) < kFar && std::abs(cy) < kFar)) return;

  // Bounding box of the turned corners, truncated toward zero, then clipped.
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  bool first = true;
  for (double dx : {-cx, width - cx}) {
    for (double dy : {-cy, height - cy}) {
      const double px = x + dx * c - dy * s;
      const double py = y + dx * s + dy * c;
      minX = first ? px : std::min(minX, px);
      maxX = first ? px : std::max(maxX, px);
      minY = first ? py : std::min(minY, py);
      maxY = first ? py : std::max(maxY, py);
      first = false;
    }
  }
  const SDL_Rect& clip = dest->clip_rect;
  const int x0 = std::max(TruncToInt(minX), clip.x);
  const int x1 = std::min(TruncToInt(maxX), clip.x + clip.w - 1);
  const int y0 = std::max(TruncToInt(minY), clip.y);
  const int y1 = std::min(TruncToInt(maxY), clip.y + clip.h - 1);
  if (x0 > x1 || y0 > y1) return;

  // A destination pixel's centre, taken relative to (x, y) and turned back by
  // the angle, gives the point of the scaled pattern it shows; both source
  // coordinates are linear in the destination's, so rows are stepped in 16.16.
  const double scaleX = static_cast<double>(pw) / width;
  const double scaleY = static_cast<double>(ph) / height;
  const long long stepX = ToFixed(c * scaleX);   // source x per destination column
  const long long stepY = ToFixed(-s * scaleY);  // source y per destination column

  const TPixelWriter writer(dest, KeyRgb());
  if (!writer.Usable()) return;
  for (int py = y0; py <= y1; ++py) {
    const double u = x0 + 0.5 - x;
    const double v = py + 0.5 - y;
    long long fx = ToFixed((u * c + v * s + cx) * scaleX);
    long long fy = ToFixed((-u * s + v * c + cy) * scaleY);
    uint32_t* out = PixelRow(dest, py);
    for (int px = x0; px <= x1; ++px, fx += stepX, fy += stepY) {
      const long long ix = fx >> 16;
      const long long iy = fy >> 16;
      if (ix < 0 || iy < 0 || ix >= pw || iy >= ph) continue;
      writer.Put(out + px, PixelRow(pixels_.get(), r.Top + static_cast<int>(iy))[r.Left + ix]);
    }
  }
}

}  // namespace brinecast
