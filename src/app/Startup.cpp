// Start-up, from the options file to the main menu, and the window's own events:
// the close request, minimise, maximise, loss of focus and an unplugged pad.
#include "app/TForm1.h"
#include "app/screens/MainMenuScreen.h"
#include "app/screens/MenuState.h"
#include "objects/Chk.h"
#include "objects/Fon.h"
#include "objects/GameStates.h"
#include "objects/ToDoFish.h"

namespace brinecast {

void TForm1::FormCreate() {
  LoadConfig();
  if (windowedOverride_) {
    savedWindowed_ = Config.Windowed;
    Config.Windowed = *windowedOverride_;
  }
  if (!Config.Windowed) ApplyWindowMode();
  if (Config.MusicOn) PlayMusic(Tune::Menu);
  // The generator was seeded when the window was made (from the clock, or a replay's seed).
  DXImageList1().Items().MakeColorTable();
  DXInput1().UseCtrlAndSpaceForDown();
  // A game that is never drawn (a replay being verified) needs the pictures' sizes only.
  const PictureDetail detail = draws_ ? PictureDetail::kPixels : PictureDetail::kSizes;
  DXImageList1().Items().LoadFromFile(appDir_ + "Data/MenuImgs.dxg", detail);
  GameImgs().Items().LoadFromFile(appDir_ + "Data/GameImgs.dxg", detail);
  TSpriteEngine& root = DXSpriteEngine1().Engine();
  for (int k = 1; k <= 10; ++k) ToDoIcons()[k - 1] = CreateToDoIcon(&root, k);
  SetPaused(false);
  Menu().checkBox = new TChk(&root);
  Fon() = new TFon(&root, 0);
  Menu().cursor = MainMenuScreen::kItemStart;
  Menu().savedCursor = MainMenuScreen::kItemStart;
  BuildMainMenu();
  startupDone_ = true;
}

void TForm1::FormCloseQuery(bool& canClose) {
  // Until start-up has finished (a missing archive stops it) there is no exit
  // question to ask: the window closes.
  canClose = !startupDone_;
  if (canClose) return;
  if (State() != GameState::Menu && State() != GameState::Options &&
      State() != GameState::HiScores && State() != GameState::Help) {
    return;
  }
  if (State() != GameState::Menu) BuildMainMenu();
  AskExit();
}

void TForm1::WMGetSysCommand(int command) {
  if (command == kScMaximize) {
    Config.Windowed = false;
    ApplyWindowMode();
  } else if (command == kScMinimize && State() == GameState::Game) {
    FreezePlay();
  }
}

void TForm1::FormActivate() {}

void TForm1::FormDeactivate() {
  DXInput1().ReleaseAll();
  FreezePlay();
}

void TForm1::JoystickRemoved() {
  // A pad pulled out in play pauses it, as a lost focus does.
  if (State() == GameState::Game) FormDeactivate();
}

void TForm1::ShowMouse(bool show) {
  platform_.ShowCursor(show);
}

}  // namespace brinecast
