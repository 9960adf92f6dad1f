#pragma once

#include <climits>
#include <cmath>

namespace brinecast {

// Left/top inclusive, right/bottom exclusive, in surface pixels.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect&) const = default;
};

// Strict on both axes: rectangles that only touch do not overlap, and an
// empty rectangle overlaps nothing.
inline bool RectsOverlap(const TRect& a, const TRect& b) {
  if (a.Empty() || b.Empty()) return false;
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

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
