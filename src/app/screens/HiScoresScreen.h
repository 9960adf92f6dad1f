// The high-score table: clear it, open the world's table, or go back.
#pragma once

#include <array>

#include "app/screens/TwoRowScreen.h"

namespace brinecast {

class HiScoresScreen : public TwoRowScreen {
 public:
  static constexpr uint8_t kItemClear = kItemLeft;
  static constexpr uint8_t kItemWorld = kItemRight;
  static constexpr const char* kPanel = "FonHScr";

  static constexpr std::array<ScreenPlace, kItems> kLayout{{
      {"Clear", 40, 465, Inside(40, 465, 222, 484), kItemClear},
      {"World", 372, 465, Inside(372, 465, 634, 484), kItemWorld},
      {"HScrBack", 41, 505, Inside(41, 505, 145, 529), kItemBack},
  }};
  // The table's rows: name and score columns, the first row's y and the step between rows.
  static constexpr int kNameX = 82;
  static constexpr int kScoreX = 410;
  static constexpr int kFirstRowY = 220;
  static constexpr int kRowStep = 23;

  HiScoresScreen(ScreenHost& host, MenuState& menu);

  void Click() override;
  void Draw(TCanvas& canvas) override;

 protected:
  std::span<const ScreenPlace> Layout() const override { return kLayout; }
};

}  // namespace brinecast
