// Drawing a pattern stretched into a rectangle.
#include <SDL_surface.h>

#include <algorithm>
#include <climits>

#include "engine/PictureCollectionItem.h"
#include "engine/PixelWriter.h"

namespace brinecast {

void TPictureCollectionItem::DrawStretched(SDL_Surface* dest, const TRect& rect,
                                           int pattern) const {
  if (pixels_ == nullptr || dest == nullptr || !PatternInRange(pattern) || rect.Empty()) return;
  const long long w = static_cast<long long>(rect.Right) - rect.Left;
  const long long h = static_cast<long long>(rect.Bottom) - rect.Top;
  if (w > INT_MAX || h > INT_MAX) return;
  const SDL_Rect& clip = dest->clip_rect;
  const int x0 = std::max(rect.Left, clip.x);
  const int x1 = std::min(rect.Right, clip.x + clip.w);
  const int y0 = std::max(rect.Top, clip.y);
  const int y1 = std::min(rect.Bottom, clip.y + clip.h);
  if (x0 >= x1 || y0 >= y1) return;

  const TRect& r = patterns_[pattern];
  SDL_Rect from{r.Left, r.Top, r.Width(), r.Height()};
  SDL_Rect to{rect.Left, rect.Top, static_cast<int>(w), static_cast<int>(h)};
  const bool whole = x0 == rect.Left && x1 == rect.Right && y0 == rect.Top && y1 == rect.Bottom;
  if (whole) {
    SDL_BlitScaled(pixels_.get(), &from, dest, &to);
    return;
  }

  // SDL rescales a clipped blit from the rounded visible part, which shifts the
  // picture by up to a source pixel; sample the unclipped grid instead, the
  // way SDL does for a whole one (16.16 steps starting half a step in).
  const TPixelWriter writer(dest, KeyRgb());
  if (!writer.Usable()) return;
  const long long stepX = (static_cast<long long>(from.w) << 16) / w;
  const long long stepY = (static_cast<long long>(from.h) << 16) / h;
  for (int y = y0; y < y1; ++y) {
    const long long sy = (stepY / 2 + (y - static_cast<long long>(rect.Top)) * stepY) >> 16;
    const uint32_t* in =
        PixelRow(pixels_.get(), r.Top + static_cast<int>(std::min<long long>(sy, from.h - 1)));
    uint32_t* out = PixelRow(dest, y);
    long long fx = stepX / 2 + (x0 - static_cast<long long>(rect.Left)) * stepX;
    for (int x = x0; x < x1; ++x, fx += stepX) {
      writer.Put(out + x, in[r.Left + std::min<long long>(fx >> 16, from.w - 1)]);
    }
  }
}

}  // namespace brinecast
