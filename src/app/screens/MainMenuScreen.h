// The main menu: six items lit one at a time, chosen by Up and Down or the pointer.
#pragma once

#include <array>
#include <cstdint>

#include "app/screens/Screen.h"

namespace brinecast {

class MainMenuScreen : public Screen {
 public:
  enum Item : uint8_t {
    kItemStart = 1,
    kItemOptions,
    kItemHiScores,
    kItemHelp,
    kItemVisit,
    kItemExit
  };
  static constexpr int kItems = 6;

  static constexpr std::array<ScreenPlace, kItems> kLayout{{
      {"Start", 261, 179, Inside(306, 179, 493, 203), kItemStart},
      {"Opt", 261, 225, Inside(306, 226, 424, 259), kItemOptions},
      {"HScores", 261, 275, Inside(306, 275, 478, 301), kItemHiScores},
      {"Help", 261, 321, Inside(306, 323, 371, 350), kItemHelp},
      {"Visit", 261, 370, Inside(306, 370, 537, 396), kItemVisit},
      {"Exit", 261, 419, Inside(306, 419, 367, 442), kItemExit},
  }};

  using Screen::Screen;

  // The buttons placed and the saved item selected (the screen left has cleared up).
  void Build();
  // Item 1 alone lit, as the menu is after the exit question.
  void SelectFirst();

  void Up() override;
  void Down() override;
  bool Escape() override;
  void Move(int x, int y) override;
  void Click() override;

 private:
  void Select(uint8_t item);
};

}  // namespace brinecast
