// The high-score table's clicks and its rows.
#include "app/screens/HiScoresScreen.h"

#include "app/screens/ScreenHost.h"
#include "objects/GameStates.h"
#include "objects/TextStyle.h"
#include "storage/Config.h"
#include "storage/HighScores.h"

namespace brinecast {

HiScoresScreen::HiScoresScreen(ScreenHost& host, MenuState& menu)
    : TwoRowScreen(host, menu, kPanel, GameState::HiScores) {}

void HiScoresScreen::Click() {
  if (menu_.cursor == kItemClear) {
    ResetHighScores(host_.Options());
    host_.ForgetRowRecordings();
  }
  if (menu_.cursor == kItemWorld) host_.OpenWorldScores();
  if (menu_.cursor == kItemBack) host_.BuildMainMenu();
}

// The best row in red, the others in blue.
void HiScoresScreen::Draw(TCanvas& canvas) {
  SetFont(canvas, "Courier New", 16, true, RGB(255, 0, 0));
  for (int i = 1; i <= 10; ++i) {
    if (i == 2) canvas.Font.Color = RGB(40, 100, 230);
    const THighScore& row = host_.Options().HighScores[i - 1];
    const int y = kFirstRowY + kRowStep * (i - 1);
    canvas.TextOut(kNameX, y, Format("%2d    %.11s", i, row.Name.c_str()));
    canvas.TextOut(kScoreX, y, Format("%10d", static_cast<int32_t>(row.Score)));
  }
}

}  // namespace brinecast
