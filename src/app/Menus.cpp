// The menu screens: their builders, which tear down the screen being left, and
// the small steps the keyboard and the pointer share on them.
#include <cstdint>
#include <span>

#include "app/TForm1.h"
#include "objects/Ask.h"
#include "objects/FonB.h"
#include "objects/GameStates.h"
#include "objects/Hlp.h"
#include "objects/MenuB.h"

namespace brinecast {

namespace {

struct ButtonPlace {
  const char* image;
  uint16_t x;
  uint16_t y;
};

constexpr ButtonPlace kMainMenu[] = {{"Start", 261, 179},   {"Opt", 261, 225},
                                     {"HScores", 261, 275}, {"Help", 261, 321},
                                     {"Visit", 261, 370},   {"Exit", 261, 419}};

constexpr ButtonPlace kOptions[] = {{"Win", 301, 230},   {"Full", 447, 230}, {"On", 301, 278},
                                    {"Off", 391, 278},   {"On", 301, 326},   {"Off", 391, 326},
                                    {"OptBack", 41, 465}};

constexpr ButtonPlace kHiScores[] = {
    {"Clear", 40, 465}, {"World", 372, 465}, {"HScrBack", 41, 505}};

constexpr ButtonPlace kHelp[] = {{"Previos", 40, 465}, {"Next", 569, 465}, {"HScrBack", 41, 505}};

constexpr int kMainMenuItems = 6;

// Fills MenuButtons from the first entry on, all unlit.
void PlaceButtons(TForm1& form, std::span<const ButtonPlace> places) {
  TSprite* root = &form.DXSpriteEngine1.Engine();
  for (size_t i = 0; i < places.size(); ++i) {
    form.MenuButtons[i] = new TMenuB(root, places[i].x, places[i].y, places[i].image);
  }
}

void KillMainMenuButtons(TForm1& form) {
  for (int i = 0; i < kMainMenuItems; ++i) form.MenuButtons[i].Kill();
}

// A sub-screen takes the cursor for itself and keeps the main menu's to return to.
void TakeCursor(TForm1& form, uint8_t cursor) {
  form.SavedMenuCursor = form.MenuCursor;
  form.MenuCursor = cursor;
}

}  // namespace

void TForm1::BuildMainMenu() {
  EditingAddText = false;
  ClearHoverFlags();
  if (GameState == states::kOptions) {
    OptionsPanel.Kill();
  } else if (GameState == states::kHiScores) {
    HiScoresPanel.Kill();
  } else if (GameState == states::kHelp) {
    HelpPanel.Kill();
    Hlp.Kill();
  }
  // Every screen's buttons go, not only a sub-screen's: built again over a live
  // main menu, the old buttons would stay lit beneath the new ones.
  for (TSpriteRef<TMenuB>& button : MenuButtons) button.Kill();
  PlaceButtons(*this, kMainMenu);
  KeySum = 0;
  // Before start-up has chosen an item there is none to restore: take the first.
  if (SavedMenuCursor < 1 || SavedMenuCursor > kMainMenuItems) SavedMenuCursor = 1;
  MenuCursor = SavedMenuCursor;
  ShowButton(MenuCursor, true);
  GameState = states::kMenu;
}

void TForm1::BuildOptions() {
  KillMainMenuButtons(*this);
  OptionsPanel = new TFonB(&DXSpriteEngine1.Engine(), "FonOpt");
  PlaceButtons(*this, kOptions);
  ShowButton(7, true);
  TakeCursor(*this, 5);
  GameState = states::kOptions;
}

void TForm1::BuildHiScores() {
  KillMainMenuButtons(*this);
  HiScoresPanel = new TFonB(&DXSpriteEngine1.Engine(), "FonHScr");
  PlaceButtons(*this, kHiScores);
  TakeCursor(*this, 3);
  ShowButton(3, true);
  GameState = states::kHiScores;
}

void TForm1::BuildHelp() {
  KillMainMenuButtons(*this);
  HelpPanel = new TFonB(&DXSpriteEngine1.Engine(), "FonHelp");
  PlaceButtons(*this, kHelp);
  HelpPage = 1;
  Hlp = new THlp(&DXSpriteEngine1.Engine(), HelpPage);
  TakeCursor(*this, 3);
  ShowButton(3, true);
  GameState = states::kHelp;
}

void TForm1::AskExit() {
  MenuCursor = 1;
  // The panel places itself by the state, so the state comes first.
  GameState = states::kExitQuestion;
  Ask.Kill();
  Ask = new TAsk(&DXSpriteEngine1.Engine(), "Qtns");
}

void TForm1::AnswerExitNo() {
  Ask.Kill();
  MenuCursor = 1;
  ShowButton(1, true);
  for (int n = 2; n <= kMainMenuItems; ++n) ShowButton(n, false);
  GameState = states::kMenu;
}

void TForm1::ResumeGame() {
  GameState = states::kGame;
  ShowMouse(false);
  Ask.Kill();
  ThawPlay();
}

void TForm1::AnswerQuestion() {
  if (GameState == states::kExitGameQuestion) {
    if (MenuCursor == 1) {
      GameOverFlag = true;
      Timer2.SetEnabled(false);
      Paused = false;
      Ask.Kill();
      LeaveGame();
    } else if (MenuCursor == 2) {
      ResumeGame();
    }
  } else if (GameState == states::kExitQuestion) {
    if (MenuCursor == 1) {
      SaveConfig();
      Terminate();
    } else if (MenuCursor == 2) {
      AnswerExitNo();
    }
  }
}

void TForm1::ShowButton(int n, bool shown) {
  if (n < 1 || n > static_cast<int>(MenuButtons.size())) return;
  if (TMenuB* button = MenuButtons[n - 1].Get()) button->Shown = shown;
}

void TForm1::ClearHoverFlags() {
  OverWin = false;
  OverFull = false;
  OverMusicOn = false;
  OverMusicOff = false;
  OverSoundOn = false;
  OverSoundOff = false;
}

}  // namespace brinecast
