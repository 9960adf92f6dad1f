// Completing the name entry of a new high score: the row goes into the table,
// the play field gives way to the menus, and the table is shown.
#include "app/TForm1.h"
#include "objects/Ask.h"
#include "objects/Chk.h"
#include "objects/Player.h"
#include "storage/HighScores.h"

namespace brinecast {

void TForm1::CompleteNameEntry() {
  // One submission at a time: Enter again while it runs would insert twice.
  if (Sending) return;
  // An unreachable server has been reported; the player may press Enter again.
  if (Config.SendOnline && !SubmitScore()) return;
  // Without the boat there is no result to record, only the screen to leave.
  if (const TPlayer* player = Player.Get()) InsertHighScore(Config, PlayerName, player->Score());
  SaveConfig();
  Ask.Kill();
  ClearPlayField();
  if (TChk* box = Chk.Get()) box->Shown = false;
  Sending = false;
  if (Config.MusicOn) PlayMusic(AppDir() + "Sound/1.xm", "Can't load music.");
  SavedMenuCursor = 3;
  BuildMainMenu();
  DXDraw1Click();
}

}  // namespace brinecast
