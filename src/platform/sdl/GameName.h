// The names the desktop knows the game by.
#pragma once

namespace brinecast {

// The window's title, and a message box's caption when the game gives none.
inline constexpr char kGameName[] = "Brinecast";

}  // namespace brinecast
