// Surface geometry for the engine: the shared rectangle, and the saturating conversions
// that keep far-flung sprite positions from overflowing.
#pragma once

#include <climits>
#include <cmath>

#include "platform/Rect.h"

namespace brinecast {

// Truncation toward zero. Values beyond int (or NaN) saturate instead of being
// undefined, so a sprite flung far off screen cannot corrupt its bounds.
inline int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

inline int SaturatingAdd(int a, int b) {
  long long sum = static_cast<long long>(a) + b;
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return static_cast<int>(sum);
}

}  // namespace brinecast
