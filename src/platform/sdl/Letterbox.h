// Fitting the 800 x 600 frame into a window or screen of any size with its aspect kept, and
// turning window positions back into surface pixels.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/Rect.h"
#include "platform/SurfaceSize.h"

namespace brinecast {

// The largest rectangle of the frame's aspect ratio centred in outW x outH, where the frame
// lands inside a window or screen of that size; the rest stays black.
inline TRect FitFrame(int outW, int outH) {
  if (outW <= 0 || outH <= 0) return {};
  int64_t w = outW;
  int64_t h = w * kSurfaceHeight / kSurfaceWidth;
  if (h > outH) {
    h = outH;
    w = h * kSurfaceWidth / kSurfaceHeight;
  }
  const int left = static_cast<int>((outW - w) / 2);
  const int top = static_cast<int>((outH - h) / 2);
  return TRect{left, top, left + static_cast<int>(w), top + static_cast<int>(h)};
}

// The part of a renderer's outW x outH output that the window really shows. SDL sizes the
// output for the window it believes in (sdlW x sdlH), which may be bigger than the window
// really is (realW x realH): a full screen asked for but never granted. The shown part starts
// at the output's top left, or at its bottom left where the output's rows count upwards.
inline TRect ShownOutput(int outW, int outH, int sdlW, int sdlH, int realW, int realH,
                         bool rowsUp) {
  if (outW <= 0 || outH <= 0) return {};
  int64_t w = outW;
  int64_t h = outH;
  if (sdlW > 0 && sdlH > 0 && realW > 0 && realH > 0) {
    w = std::min<int64_t>(w, int64_t{realW} * outW / sdlW);
    h = std::min<int64_t>(h, int64_t{realH} * outH / sdlH);
  }
  const int top = rowsUp ? outH - static_cast<int>(h) : 0;
  return TRect{0, top, static_cast<int>(w), top + static_cast<int>(h)};
}

// FitFrame inside the shown part of the output.
inline TRect FitFrameIn(const TRect& shown) {
  const TRect fit = FitFrame(shown.Width(), shown.Height());
  return TRect{shown.Left + fit.Left, shown.Top + fit.Top, shown.Left + fit.Right,
               shown.Top + fit.Bottom};
}

struct SurfacePoint {
  int x = 0;
  int y = 0;
  bool inside = false;  // the point lies on the frame, not on a black bar
};

// A window position turned into a surface pixel, clamped onto the surface.
inline SurfacePoint WindowToSurface(int wx, int wy, const TRect& frame) {
  if (frame.Width() <= 0 || frame.Height() <= 0) return {};
  auto scale = [](int64_t offset, int64_t span, int64_t size) {
    const int64_t scaled = offset * size;
    // Floor, so that a point just left of the frame does not land on column 0.
    return scaled >= 0 ? scaled / span : -((-scaled + span - 1) / span);
  };
  const int64_t sx = scale(static_cast<int64_t>(wx) - frame.Left, frame.Width(), kSurfaceWidth);
  const int64_t sy = scale(static_cast<int64_t>(wy) - frame.Top, frame.Height(), kSurfaceHeight);
  const bool inside = sx >= 0 && sx < kSurfaceWidth && sy >= 0 && sy < kSurfaceHeight;
  return {static_cast<int>(std::clamp<int64_t>(sx, 0, kSurfaceWidth - 1)),
          static_cast<int>(std::clamp<int64_t>(sy, 0, kSurfaceHeight - 1)), inside};
}

// The whole-number factor the frame is first enlarged by (sharp pixels) before the
// last smooth step to the frame rectangle; 1 when no enlargement is needed.
inline int SharpScaleFactor(const TRect& frame) {
  return std::max(1, (frame.Width() + kSurfaceWidth - 1) / kSurfaceWidth);
}

}  // namespace brinecast
