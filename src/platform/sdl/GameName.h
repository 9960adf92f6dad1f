// The names the desktop knows the game by.
#pragma once

namespace brinecast {

// The window's title, and a message box's caption when the game gives none.
inline constexpr char kGameName[] = "Brinecast";

// The class of the game's windows (X11's WM_CLASS), which the desktop entry's StartupWMClass
// names so that docks match the window to the game's icon, whatever the executable is called.
inline constexpr char kWindowClass[] = "brinecast";

}  // namespace brinecast
