// The four window timers (level clock, banner and freeze, game-over display,
// level bonus) and LeaveGame, through which every game ends or is interrupted.
#include "app/TForm1.h"
#include "objects/Ask.h"
#include "objects/Chk.h"
#include "objects/Fon.h"
#include "objects/LimitTime.h"
#include "objects/Player.h"
#include "objects/ToDoFish.h"
#include "objects/Volna.h"
#include "storage/HighScores.h"

namespace brinecast {

void TForm1::Timer1Timer() {
  if (TimeLeft > 0) {
    --TimeLeft;
    return;
  }
  StopAllSounds();
  GameState = "GameOver";
  PlaySound("Over");
  Ask = new TAsk(&DXSpriteEngine1.Engine(), "Qtns");
  GameOverFlag = true;
  Paused = true;
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(true);
  Timer3.SetEnabled(true);
}

void TForm1::Timer2Timer() {
  if (Paused || Timer4.Enabled()) return;
  // Play resumes only into a game that exists; a stray tick with no rig (say,
  // after a focus loss during a start-up message box) just ends the freeze.
  if (!Player || Player->IsDead()) {
    Timer2.SetEnabled(false);
    return;
  }
  Timer1.SetEnabled(true);
  Timer2.SetEnabled(false);
  GameState = "Game";
}

void TForm1::Timer3Timer() {
  if (GameState == "GameOver") {
    GameState = "GameOver2";
  } else if (GameState == "GameOver2") {
    Timer2.SetEnabled(false);
    Ask.Kill();
    LeaveGame();
  }
}

void TForm1::Timer4Timer() {
  if (TimeLeft < 100) {
    Timer4.SetEnabled(false);
    NextLevel();
    return;
  }
  TimeLeft -= 100;
  if (TPlayer* player = Player.Get()) player->SetScore(player->Score() + 5);
}

void TForm1::LeaveGame() {
  if (SoundOn()) StopAllSounds();
  ShowMouse(true);
  Paused = true;
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(true);
  Timer3.SetEnabled(false);
  if (!GameOverFlag) {
    MenuCursor = 1;
    GameState = "ExitGame?";
    Ask = new TAsk(&DXSpriteEngine1.Engine(), "Qtns");
    return;
  }
  for (const auto& icon : ToDoIcons) {
    if (TToDoFish* sprite = icon.Get()) sprite->Shown = false;
  }
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  const int64_t score = Player ? Player->Score() : 0;
  if (Qualifies(score, Config)) {
    GameState = "EnterName";
    Sending = false;
    Paused = true;
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(true);
    // A click on the last name entry's box must not toggle this one.
    OverCheckBox = false;
    if (TChk* chk = Chk.Get()) chk->Shown = true;
    Ask = new TAsk(&DXSpriteEngine1.Engine(), "Qtns");
    return;
  }
  ClearPlayField();
  if (Config.MusicOn) PlayMusic(appDir_ + "Sound/1.xm", "Can't load music.");
  BuildMainMenu();
}

void TForm1::ClearPlayField() {
  Volna.Kill();
  if (TPlayer* player = Player.Get()) player->KillRig();
  if (TLimitTime* limit = LimitTime.Get()) limit->KillWithBar();
  if (TFon* fon = Fon.Get()) fon->KillWithWeeds();
  Fon = new TFon(&DXSpriteEngine1.Engine(), 0);
}

}  // namespace brinecast
