// The game's states, and the name each one goes by in the simulator's snapshots.
#pragma once

#include <cstdint>
#include <string_view>

namespace brinecast {

enum class GameState : uint8_t {
  // Before start-up has built the main menu.
  Starting,
  Menu,
  Options,
  HiScores,
  Help,
  // Asked over the main menu: leave the program?
  ExitQuestion,
  // Asked over play: leave this game?
  ExitGameQuestion,
  Game,
  // The game-over display's two halves: the first ignores keys, the second ends on any key.
  GameOver,
  GameOver2,
  EnterName,
};

constexpr std::string_view StateName(GameState state) {
  switch (state) {
    case GameState::Starting:
      return "";
    case GameState::Menu:
      return "Menu";
    case GameState::Options:
      return "Options";
    case GameState::HiScores:
      return "HiScores";
    case GameState::Help:
      return "Help";
    case GameState::ExitQuestion:
      return "Exit?";
    case GameState::ExitGameQuestion:
      return "ExitGame?";
    case GameState::Game:
      return "Game";
    case GameState::GameOver:
      return "GameOver";
    case GameState::GameOver2:
      return "GameOver2";
    case GameState::EnterName:
      return "EnterName";
  }
  return "?";
}

}  // namespace brinecast
