// The four window timers' handlers: the level clock, the end of the freeze, the
// game-over display's two steps and the level bonus count.
#include "app/TForm1.h"
#include "objects/Ask.h"
#include "objects/GameStates.h"
#include "objects/Player.h"

namespace brinecast {

void TForm1::Timer1Timer() {
  if (TimeLeft > 0) {
    --TimeLeft;
    return;
  }
  StopAllSounds();
  SetState(GameState::GameOver);
  PlaySound("Over");
  Ask() = new TAsk(&DXSpriteEngine1().Engine(), "Qtns");
  SetGameOverFlag(true);
  FreezePlay();
  GameOverStep().SetEnabled(true);
}

void TForm1::Timer2Timer() {
  if (Paused() || BonusCount().Enabled()) return;
  // Play resumes only into a game that exists; a stray tick with no rig (say,
  // after a focus loss during a start-up message box) just ends the freeze.
  if (!Player() || Player()->IsDead()) {
    Freeze().SetEnabled(false);
    return;
  }
  LevelClock().SetEnabled(true);
  Freeze().SetEnabled(false);
  SetState(GameState::Game);
}

void TForm1::Timer3Timer() {
  if (State() == GameState::GameOver) {
    SetState(GameState::GameOver2);
  } else if (State() == GameState::GameOver2) {
    Freeze().SetEnabled(false);
    Ask().Kill();
    LeaveGame();
  }
}

void TForm1::Timer4Timer() {
  if (TimeLeft < 100) {
    BonusCount().SetEnabled(false);
    NextLevel();
    return;
  }
  TimeLeft -= 100;
  if (TPlayer* player = Player().Get()) player->SetScore(player->Score() + 5);
}

}  // namespace brinecast
