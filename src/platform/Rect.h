// The game's one rectangle type, in the lowest layer so the engine, the game and the
// platform's layouts can all use it.
#pragma once

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
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  bool operator==(const TRect&) const = default;
};

// Strict on both axes: rectangles that only touch do not overlap, and an
// empty rectangle overlaps nothing.
inline bool RectsOverlap(const TRect& a, const TRect& b) {
  if (a.Empty() || b.Empty()) return false;
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace brinecast
