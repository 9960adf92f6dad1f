// The names of the game's states: what GameState holds and what the simulator prints.
#pragma once

#include <string_view>

namespace brinecast::states {

inline constexpr std::string_view kMenu = "Menu";
inline constexpr std::string_view kOptions = "Options";
inline constexpr std::string_view kHiScores = "HiScores";
inline constexpr std::string_view kHelp = "Help";
// Asked over the main menu: leave the program?
inline constexpr std::string_view kExitQuestion = "Exit?";
// Asked over play: leave this game?
inline constexpr std::string_view kExitGameQuestion = "ExitGame?";
inline constexpr std::string_view kGame = "Game";
// The game-over display's two halves: the first ignores keys, the second ends on any key.
inline constexpr std::string_view kGameOver = "GameOver";
inline constexpr std::string_view kGameOver2 = "GameOver2";
inline constexpr std::string_view kEnterName = "EnterName";

}  // namespace brinecast::states
