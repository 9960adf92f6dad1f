// The texts drawn over the sprites each frame: the credit line, the texts of the
// screen in front, the play HUD with its banners, and "GAME OVER".
#include <array>
#include <cinttypes>
#include <string>

#include "app/TForm1.h"
#include "app/screens/Screen.h"
#include "objects/Ask.h"
#include "objects/GameStates.h"
#include "objects/Motion.h"
#include "objects/Player.h"
#include "objects/TextStyle.h"

namespace brinecast {

namespace {

// x of each kind's goal counter, just right of its icon; kGoalTextX[0] is kind 1.
constexpr std::array<int, 10> kGoalTextX = {112, 180, 240, 296, 354, 418, 484, 541, 622, 733};

}  // namespace

void TForm1::DrawStateTexts() {
  Canvas().SetSurface(DXDraw1().Surface());
  Canvas().Brush.Style = TBrushStyle::bsClear;

  SetFont(Canvas(), "Comic Sans MS", 16, true, kGold);
  if (KeySum == kCreditCode) Canvas().TextOut(10, 0, "Programming by Quillon");

  if (Screen* screen = Front()) screen->Draw(Canvas());

  if (State() == GameState::Game) {
    if (!Freeze().Enabled() && ShowCatchText) {
      SetFont(Canvas(), "Arial", 16, false, kGold);
      const TPlayer* player = Player().Get();
      const TImageSprite* floatSprite = player ? player->Float.Get() : nullptr;
      Canvas().TextOut(floatSprite ? RoundToInt(floatSprite->X) : 0, CatchTextY,
                       Format("%-3d", CatchPoints));
    }
    SetFont(Canvas(), "Arial", 12, true, RGB(40, 100, 200));
    for (int i = 0; i < GoalCount && i < static_cast<int>(Goals.size()); ++i) {
      const TGoal& goal = Goals[i];
      if (goal.FishKind < 1 || goal.FishKind > 10) continue;
      Canvas().TextOut(kGoalTextX[goal.FishKind - 1], 40,
                       Format("%.2d", static_cast<int>(goal.Left)));
    }
    const int64_t score = Player() ? Player()->Score() : 0;
    SetFont(Canvas(), "Arial", 14, false, kWhite);
    Canvas().TextOut(690, 569, Format("%.8" PRId64, score));
    Canvas().Font.Size = 20;
    Canvas().TextOut(80, 560, Format("%4d", static_cast<int>(LevelNo)));
    if (BonusCount().Enabled() && TimeLeft > 0) {
      SetFont(Canvas(), "Comic Sans MS", 20, false, kGold);
      Canvas().TextOut(330, 300, "Done");
    }
    if (Freeze().Enabled() && !BonusCount().Enabled()) {
      if (Paused()) {
        SetFont(Canvas(), "Comic Sans MS", 25, true, kWhite);
        Canvas().TextOut(360, 285, "Pause");
      } else {
        SetFont(Canvas(), "Comic Sans MS", 20, false, kGold);
        Canvas().TextOut(330, 300, "Level " + std::to_string(LevelNo));
      }
    }
  }

  if (State() == GameState::GameOver || State() == GameState::GameOver2) {
    SetFont(Canvas(), "Comic Sans MS", 25, true, kGold);
    const std::string text = "GAME OVER";
    // Centred on its panel, whatever the font's width.
    const TAsk* panel = Ask().Get();
    const int x =
        panel ? RoundToInt(panel->X) + (panel->Width - Canvas().TextWidth(text)) / 2 : 270;
    Canvas().TextOut(x, 280, text);
  }
}

}  // namespace brinecast
