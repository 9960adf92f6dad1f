// The high-score table's clicks and its rows.
#include "app/screens/HiScoresScreen.h"

#include "app/TForm1.h"
#include "app/TextStyle.h"
#include "objects/GameStates.h"
#include "storage/HighScores.h"

namespace brinecast {

HiScoresScreen::HiScoresScreen(TForm1& form, MenuState& menu)
    : TwoRowScreen(form, menu, kPanel, GameState::HiScores) {}

void HiScoresScreen::Click() {
  if (menu_.cursor == kItemClear) {
    ResetHighScores(form_.Config);
    form_.ForgetRowRecordings();
  }
  if (menu_.cursor == kItemWorld) form_.OpenWorldScores();
  if (menu_.cursor == kItemBack) form_.BuildMainMenu();
}

// The best row in red, the others in blue.
void HiScoresScreen::Draw(TCanvas& canvas) {
  SetFont(canvas, "Courier New", 16, true, RGB(255, 0, 0));
  for (int i = 1; i <= 10; ++i) {
    if (i == 2) canvas.Font.Color = RGB(40, 100, 230);
    const THighScore& row = form_.Config.HighScores[i - 1];
    const int y = kFirstRowY + kRowStep * (i - 1);
    canvas.TextOut(kNameX, y, Format("%2d    %.11s", i, row.Name.c_str()));
    canvas.TextOut(kScoreX, y, Format("%10d", static_cast<int32_t>(row.Score)));
  }
}

}  // namespace brinecast
