// The options screen: window mode, music and sound chosen left or right on rows 1 to 3,
// the text sent with a score typed on row 4, and the way back on row 5.
#pragma once

#include <array>
#include <cstdint>

#include "app/screens/Screen.h"
#include "engine/SpriteRef.h"

namespace brinecast {

class TFonB;

class OptionsScreen : public Screen {
 public:
  enum Row : uint8_t { kRowWindow = 1, kRowMusic, kRowSound, kRowText, kRowBack };
  static constexpr uint8_t kRows = 5;
  // The choices of rows 1 to 3, left then right; choice n is button n + 1.
  enum Choice : uint8_t { kWindowed, kFullScreen, kMusicOn, kMusicOff, kSoundOn, kSoundOff };
  static constexpr int kChoices = 6;
  static constexpr int kBackButton = 7;
  static constexpr const char* kPanel = "FonOpt";

  static constexpr std::array<ScreenPlace, 8> kLayout{{
      {"Win", 301, 230, Inside(302, 230, 389, 249), kRowWindow},
      {"Full", 447, 230, Inside(447, 230, 589, 249), kRowWindow},
      {"On", 301, 278, Inside(302, 278, 334, 297), kRowMusic},
      {"Off", 391, 278, Inside(392, 278, 433, 297), kRowMusic},
      {"On", 301, 326, Inside(302, 326, 334, 345), kRowSound},
      {"Off", 391, 326, Inside(392, 326, 433, 345), kRowSound},
      {"OptBack", 41, 465, Inside(41, 465, 144, 489), kRowBack},
      {nullptr, 0, 0, Inside(300, 367, 589, 398), kRowText},
  }};
  // The frame the cursor draws round the text field, and where its text starts.
  static constexpr TRect kTextFrame{287, 357, 602, 410};
  static constexpr int kTextX = 310;

  OptionsScreen(ScreenHost& host, MenuState& menu);
  ~OptionsScreen() override;

  void Build();
  // Whether the pointer is over a choice (or a key has just chosen it).
  bool Over(Choice choice) const { return over_[choice]; }
  void ClearHover() { over_ = {}; }

  void Sideways(bool right) override;
  void Up() override;
  void Down() override;
  bool Escape() override;
  void Type(int key) override;
  void Enter() override;
  void Move(int x, int y) override;
  void Click() override;
  void Update() override;
  void Draw(TCanvas& canvas) override;
  void Leave() override;

 private:
  void MoveCursor(uint8_t row);

  TSpriteRef<TFonB> panel_;
  // The hover flags OverWin, OverFull, OverMusicOn, OverMusicOff, OverSoundOn and
  // OverSoundOff, by choice.
  std::array<bool, kChoices> over_{};
};

}  // namespace brinecast
