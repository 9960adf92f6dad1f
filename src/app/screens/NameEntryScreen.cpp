// The name entry's typing, check box, completion and texts.
#include "app/screens/NameEntryScreen.h"

#include <cinttypes>

#include "app/screens/MainMenuScreen.h"
#include "app/screens/ScreenHost.h"
#include "objects/Ask.h"
#include "objects/Chk.h"
#include "objects/GameStates.h"
#include "objects/Player.h"
#include "objects/TextStyle.h"
#include "storage/Config.h"
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
  ComeToFront(GameState::EnterName);
  host_.SetSending(false);
  host_.FreezePlay();
  // A click on the last name entry's box must not toggle this one.
  overCheckBox_ = false;
  if (TChk* chk = menu_.checkBox.Get()) chk->Shown = true;
  host_.Ask() = new TAsk(&host_.SpriteRoot(), "Qtns");
}

// A name being sent keeps still until the server has answered.
void NameEntryScreen::Type(int key) {
  if (host_.Sending()) return;
  EditText(host_.PlayerName(), key);
}

void NameEntryScreen::Enter() {
  // One submission at a time: Enter again while it runs would insert twice.
  if (host_.Sending()) return;
  TConfig& config = host_.Options();
  // An unreachable server has been reported; the player may press Enter again.
  if (config.SendOnline && !host_.SubmitScore()) return;
  // Without the boat there is no result to record, only the screen to leave.
  int row = 0;
  int64_t score = 0;
  if (const TPlayer* player = host_.Rig()) {
    score = player->Score();
    row = InsertHighScore(config, host_.PlayerName(), score);
  }
  host_.SaveConfig();
  host_.KeepRowRecording(row, score);
  host_.Ask().Kill();
  host_.ClearPlayField();
  if (TChk* box = menu_.checkBox.Get()) box->Shown = false;
  host_.SetSending(false);
  if (config.MusicOn) host_.PlayMusic(ScreenHost::Tune::Menu);
  // The table is shown as though chosen from the menu.
  menu_.savedCursor = MainMenuScreen::kItemHiScores;
  host_.BuildMainMenu();
  host_.DXDraw1Click();
}

void NameEntryScreen::Move(int x, int y) {
  overCheckBox_ = OverSprite(menu_.checkBox.Get(), x, y);
}

void NameEntryScreen::Click() {
  // The choice is fixed while the result is on its way.
  if (overCheckBox_ && !host_.Sending()) host_.Options().SendOnline = !host_.Options().SendOnline;
}

void NameEntryScreen::Draw(TCanvas& canvas) {
  // "Wait Please..." keeps the credit line's font.
  if (host_.Sending()) {
    canvas.TextOut(300, 285, "Wait Please...");
    return;
  }
  const TPlayer* player = host_.Rig();
  const int64_t score = player ? player->Score() : 0;
  SetFont(canvas, "Arial", 14, false, kWhite);
  canvas.TextOut(685, 569, Format("%.10" PRId64, score));
  canvas.Font.Size = 20;
  canvas.TextOut(90, 560, Format("%3d", static_cast<int>(host_.CurrentLevel())));
  SetFont(canvas, "Arial", 13, true, kBlack);
  const std::string prompt = "Please Enter Your Name";
  canvas.TextOut(278, 255, prompt);
  canvas.TextOut(278, 275, "    Then press \"Enter\"");
  // The name grows from the middle of the lines around it.
  const int middle = 278 + canvas.TextWidth(prompt) / 2;
  SetFont(canvas, "Arial", 16, true, kGold);
  const std::string name = WithCaret(host_.PlayerName());
  canvas.TextOut(middle - canvas.TextWidth(name) / 2, 295, name);
  SetFont(canvas, "Arial", 12, true, kBlack);
  canvas.TextOut(270, 325, "Send the result to World's");
  canvas.TextOut(270, 345, "       Highscores page?");
}

}  // namespace brinecast
