// The screens' builders, each tearing down the screen being left, and what the
// window does for every screen: lighting a button, finding the one in front.
#include "app/TForm1.h"
#include "app/screens/MenuState.h"
#include "app/screens/ScreenSet.h"
#include "objects/Ask.h"
#include "objects/MenuB.h"

namespace brinecast {

void TForm1::BuildMainMenu() {
  Menu().editingAddText = false;
  screens_->options.ClearHover();
  if (Screen* leaving = Front()) leaving->Leave();
  // Every screen's buttons go, not only a sub-screen's: built again over a live
  // main menu, the old buttons would stay lit beneath the new ones.
  for (TSpriteRef<TMenuB>& button : Menu().buttons) button.Kill();
  screens_->mainMenu.Build();
}

void TForm1::KillMainMenuButtons() {
  for (int i = 0; i < MainMenuScreen::kItems; ++i) Menu().buttons[i].Kill();
}

void TForm1::BuildOptions() {
  KillMainMenuButtons();
  screens_->options.Build();
}

void TForm1::BuildHiScores() {
  KillMainMenuButtons();
  screens_->hiScores.Build();
}

void TForm1::BuildHelp() {
  KillMainMenuButtons();
  screens_->help.Build();
}

void TForm1::GiveUpGame() {
  SetGameOverFlag(true);
  Freeze().SetEnabled(false);
  SetPaused(false);
  Ask().Kill();
  LeaveGame();
}

void TForm1::AskExit() {
  Ask().Kill();
  screens_->exitQuestion.Open();
}

void TForm1::ShowButton(int n, bool shown) {
  if (n < 1 || n > static_cast<int>(Menu().buttons.size())) return;
  if (TMenuB* button = Menu().buttons[n - 1].Get()) button->Shown = shown;
}

MenuState& TForm1::Menu() {
  return screens_->menu;
}

Screen* TForm1::Front() {
  return Menu().front;
}

void TForm1::SetState(GameState state) {
  Menu().front = nullptr;
  TGame::SetState(state);
}

}  // namespace brinecast
