// The help: four pages turned back and forth, and the way back.
#pragma once

#include <array>
#include <cstdint>

#include "app/screens/TwoRowScreen.h"

namespace brinecast {

class THlp;

class HelpScreen : public TwoRowScreen {
 public:
  static constexpr uint8_t kItemPrevious = kItemLeft;
  static constexpr uint8_t kItemNext = kItemRight;
  static constexpr uint8_t kPages = 4;
  static constexpr const char* kPanel = "FonHelp";

  static constexpr std::array<ScreenPlace, kItems> kLayout{{
      {"Previos", 40, 465, Inside(40, 465, 132, 482), kItemPrevious},
      {"Next", 569, 465, Inside(569, 465, 620, 482), kItemNext},
      {"HScrBack", 41, 505, Inside(41, 505, 145, 529), kItemBack},
  }};

  HelpScreen(ScreenHost& host, MenuState& menu);
  ~HelpScreen() override;

  // The page shown, 1 to 4; it stays after the screen is left.
  uint8_t Page() const { return page_; }
  // The page's sprite while the help is in front.
  const THlp* PageSprite() const;

  void Click() override;
  void Leave() override;

 protected:
  std::span<const ScreenPlace> Layout() const override { return kLayout; }
  void Opened() override;

 private:
  void TurnPage(int by);

  uint8_t page_ = 0;      // HelpPage
  TSpriteRef<THlp> hlp_;  // Hlp
};

}  // namespace brinecast
