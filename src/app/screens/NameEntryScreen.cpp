// The name entry's typing, check box, completion and texts.
#include "app/screens/NameEntryScreen.h"

#include <cinttypes>

#include "app/TForm1.h"
#include "app/TextStyle.h"
#include "app/screens/MainMenuScreen.h"
#include "objects/Ask.h"
#include "objects/Chk.h"
#include "objects/GameStates.h"
#include "objects/Player.h"
#include "storage/HighScores.h"

namespace brinecast {

namespace {

// The check box's own picture is its hit area.
bool OverSprite(const TSprite* sprite, int x, int y) {
  if (sprite == nullptr) return false;
  return sprite->X < x && x < sprite->X + sprite->Width && sprite->Y < y &&
         y < sprite->Y + sprite->Height;
}

}  // namespace

void NameEntryScreen::Open() {
  form_.GameState = states::kEnterName;
  form_.Sending = false;
  form_.FreezePlay();
  // A click on the last name entry's box must not toggle this one.
  overCheckBox_ = false;
  if (TChk* chk = form_.Chk.Get()) chk->Shown = true;
  form_.Ask = new TAsk(&form_.DXSpriteEngine1.Engine(), "Qtns");
}

// A name being sent keeps still until the server has answered.
void NameEntryScreen::Type(int key) {
  if (form_.Sending) return;
  EditText(form_.PlayerName, key);
}

void NameEntryScreen::Enter() {
  // One submission at a time: Enter again while it runs would insert twice.
  if (form_.Sending) return;
  TConfig& config = form_.Config;
  // An unreachable server has been reported; the player may press Enter again.
  if (config.SendOnline && !form_.SubmitScore()) return;
  // Without the boat there is no result to record, only the screen to leave.
  int row = 0;
  int64_t score = 0;
  if (const TPlayer* player = form_.Player.Get()) {
    score = player->Score();
    row = InsertHighScore(config, form_.PlayerName, score);
  }
  form_.SaveConfig();
  form_.KeepRowRecording(row, score);
  form_.Ask.Kill();
  form_.ClearPlayField();
  if (TChk* box = form_.Chk.Get()) box->Shown = false;
  form_.Sending = false;
  if (config.MusicOn) form_.PlayMusic(TForm1::Tune::Menu);
  // The table is shown as though chosen from the menu.
  form_.SavedMenuCursor = MainMenuScreen::kItemHiScores;
  form_.BuildMainMenu();
  form_.DXDraw1Click();
}

void NameEntryScreen::Move(int x, int y) {
  overCheckBox_ = OverSprite(form_.Chk.Get(), x, y);
}

void NameEntryScreen::Click() {
  // The choice is fixed while the result is on its way.
  if (overCheckBox_ && !form_.Sending) form_.Config.SendOnline = !form_.Config.SendOnline;
}

void NameEntryScreen::Draw(TCanvas& canvas) {
  // "Wait Please..." keeps the credit line's font.
  if (form_.Sending) {
    canvas.TextOut(300, 285, "Wait Please...");
    return;
  }
  const TPlayer* player = form_.Player.Get();
  const int64_t score = player ? player->Score() : 0;
  SetFont(canvas, "Arial", 14, false, kWhite);
  canvas.TextOut(685, 569, Format("%.10" PRId64, score));
  canvas.Font.Size = 20;
  canvas.TextOut(90, 560, Format("%3d", static_cast<int>(form_.LevelNo)));
  SetFont(canvas, "Arial", 13, true, kBlack);
  const std::string prompt = "Please Enter Your Name";
  canvas.TextOut(278, 255, prompt);
  canvas.TextOut(278, 275, "    Then press \"Enter\"");
  // The name grows from the middle of the lines around it.
  const int middle = 278 + canvas.TextWidth(prompt) / 2;
  SetFont(canvas, "Arial", 16, true, kGold);
  const std::string name = WithCaret(form_.PlayerName);
  canvas.TextOut(middle - canvas.TextWidth(name) / 2, 295, name);
  SetFont(canvas, "Arial", 12, true, kBlack);
  canvas.TextOut(270, 325, "Send the result to World's");
  canvas.TextOut(270, 345, "       Highscores page?");
}

}  // namespace brinecast
