// The pointer: moving steers the boat and goes to the screen in front, the click
// activates what that screen has selected, the left button held lowers the line.
#include "app/TForm1.h"
#include "app/screens/MenuState.h"
#include "app/screens/Screen.h"
#include "objects/Ask.h"
#include "objects/GameStates.h"

namespace brinecast {

void TForm1::DXDraw1MouseDown(MouseButton button, int /*x*/, int /*y*/) {
  if (button == MouseButton::Left) MouseHeld = true;
}

void TForm1::DXDraw1MouseMove(int x, int y) {
  const int32_t d = x - lastMouseX_;
  MouseStepRight = d > 0;
  MouseStepLeft = d < 0;
  lastMouseX_ = x;
  // The platform reports surface pixels in both window modes: y needs no
  // full-screen correction.
  if (Screen* screen = Front()) screen->Move(x, y);
}

void TForm1::DXDraw1MouseUp(MouseButton button, int /*x*/, int /*y*/) {
  if (button == MouseButton::Left) MouseHeld = false;
  // Outside play the right button clicks as well.
  if (State() != GameState::Game && button == MouseButton::Right) DXDraw1Click();
}

void TForm1::DXDraw1Click() {
  Menu().editingAddText = false;
  KeySum = 0;
  if (State() == GameState::GameOver2) {
    EndGameOver();
    return;
  }
  Screen* screen = Front();
  if (screen == nullptr) return;
  if (screen->ClickSounds()) NavigationSound();
  screen->Click();
}

void TForm1::EndGameOver() {
  GameOverStep().SetEnabled(false);
  Ask().Kill();
  LeaveGame();
}

}  // namespace brinecast
