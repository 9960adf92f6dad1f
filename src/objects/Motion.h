// Small arithmetic the swimming and drawn sprites share: rounding positions to
// pixels, the animation period of a swimmer and the band it lives in.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/Geometry.h"

namespace brinecast {

// Nearest integer, halves away from zero; saturates like the engine's bounds.
inline int RoundToInt(double value) {
  return TruncToInt(std::round(value));
}

// Frames between two animation steps of a swimmer: Slowness * 20 / 14, rounded.
// Never 0, so the frame test cannot divide by zero.
inline int AnimationPeriod(int slowness) {
  const int period = RoundToInt(slowness * 20 / 14.0);
  return period == 0 ? 1 : period;
}

// Whether a swimmer has left the band between x -Width-20 and x 820.
inline bool OutsideBand(double x, int width) {
  return x >= 820 || x + width + 20 <= 0;
}

// A byte counter counted down, never below 0.
inline void CountDown(uint8_t& counter) {
  if (counter > 0) --counter;
}

}  // namespace brinecast
