// The size of the game's one drawing surface, which every layer lays out against.
#pragma once

namespace brinecast {

inline constexpr int kSurfaceWidth = 800;
inline constexpr int kSurfaceHeight = 600;

}  // namespace brinecast
