// The texts drawn over the sprites each frame: the options screen's frame and
// text field, the credit line, the high-score table, the name entry, the play
// HUD with its banners, "GAME OVER" and the exit question.
#include <cinttypes>
#include <cstdio>
#include <string>

#include "app/TForm1.h"
#include "objects/Ask.h"
#include "objects/GameStates.h"
#include "objects/MenuB.h"
#include "objects/Motion.h"
#include "objects/Player.h"

namespace brinecast {

namespace {

constexpr uint32_t kGold = RGB(255, 210, 0);
constexpr uint32_t kWhite = RGB(255, 255, 255);
constexpr uint32_t kBlack = RGB(0, 0, 0);

// The options screen's text field, inside the frame the cursor draws round it.
constexpr int kTextFieldTop = 357;
constexpr int kTextFieldBottom = 410;

void SetFont(TCanvas& canvas, const char* name, int size, bool bold, uint32_t color) {
  canvas.Font.Name = name;
  canvas.Font.Size = size;
  canvas.Font.Bold = bold;
  canvas.Font.Color = color;
}

template <class... Args>
std::string Format(const char* format, Args... args) {
  char text[64];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// A typed text with its caret, cut as the field shows it.
std::string WithCaret(const std::string& text) {
  return (text + "|").substr(0, 13);
}

}  // namespace

void TForm1::DrawStateTexts() {
  Canvas.SetSurface(DXDraw1.Surface());
  Canvas.Brush.Style = TBrushStyle::bsClear;

  if (GameState == states::kOptions) {
    const bool lit[6] = {Config.Windowed, !Config.Windowed, Config.MusicOn,
                         !Config.MusicOn, Config.SoundOn,   !Config.SoundOn};
    for (int i = 0; i < 6; ++i) ShowButton(i + 1, lit[i]);
    Canvas.Pen.Color = kGold;
    Canvas.Pen.Style = TPenStyle::psSolid;
    Canvas.Pen.Width = 3;
    if (MenuCursor >= 1 && MenuCursor <= 3) {
      const TMenuB* left = MenuButtons[(MenuCursor - 1) * 2].Get();
      const TMenuB* right = MenuButtons[(MenuCursor - 1) * 2 + 1].Get();
      if (left && right) {
        Canvas.Rectangle(RoundToInt(left->X) - 10, RoundToInt(left->Y) - 10,
                         RoundToInt(right->X) + right->Width + 10,
                         RoundToInt(left->Y) + left->Height + 10);
      }
    } else if (MenuCursor == 4) {
      Canvas.Rectangle(287, kTextFieldTop, 602, kTextFieldBottom);
    }
    SetFont(Canvas, "Comic Sans MS", 25, true, RGB(40, 125, 255));
    const std::string text = EditingAddText ? WithCaret(Config.AddText) : Config.AddText;
    // Middle of the field, clear of its border, whatever the font's height.
    const int y = (kTextFieldTop + kTextFieldBottom - Canvas.TextHeight(text + "|")) / 2;
    Canvas.TextOut(310, y, text);
  }

  SetFont(Canvas, "Comic Sans MS", 16, true, kGold);
  if (KeySum == kCreditCode) Canvas.TextOut(10, 0, "Programming by Quillon");

  if (GameState == states::kHiScores) {
    SetFont(Canvas, "Courier New", 16, true, RGB(255, 0, 0));
    for (int i = 1; i <= 10; ++i) {
      if (i == 2) Canvas.Font.Color = RGB(40, 100, 230);
      const THighScore& row = Config.HighScores[i - 1];
      const int y = 197 + 23 * i;
      Canvas.TextOut(82, y, Format("%2d    %.11s", i, row.Name.c_str()));
      Canvas.TextOut(410, y, Format("%10d", static_cast<int32_t>(row.Score)));
    }
  }

  if (GameState == states::kEnterName) {
    if (Sending) {
      Canvas.TextOut(300, 285, "Wait Please...");
    } else {
      const int64_t score = Player ? Player->Score() : 0;
      SetFont(Canvas, "Arial", 14, false, kWhite);
      Canvas.TextOut(685, 569, Format("%.10" PRId64, score));
      Canvas.Font.Size = 20;
      Canvas.TextOut(90, 560, Format("%3d", static_cast<int>(LevelNo)));
      SetFont(Canvas, "Arial", 13, true, kBlack);
      const std::string prompt = "Please Enter Your Name";
      Canvas.TextOut(278, 255, prompt);
      Canvas.TextOut(278, 275, "    Then press \"Enter\"");
      // The name grows from the middle of the lines around it.
      const int middle = 278 + Canvas.TextWidth(prompt) / 2;
      SetFont(Canvas, "Arial", 16, true, kGold);
      const std::string name = WithCaret(PlayerName);
      Canvas.TextOut(middle - Canvas.TextWidth(name) / 2, 295, name);
      SetFont(Canvas, "Arial", 12, true, kBlack);
      Canvas.TextOut(270, 325, "Send the result to World's");
      Canvas.TextOut(270, 345, "       Highscores page?");
    }
  }

  if (GameState == states::kGame) {
    if (!Timer2.Enabled() && ShowCatchText) {
      SetFont(Canvas, "Arial", 16, false, kGold);
      const TPlayer* player = Player.Get();
      const TImageSprite* floatSprite = player ? player->Float.Get() : nullptr;
      Canvas.TextOut(floatSprite ? RoundToInt(floatSprite->X) : 0, CatchTextY,
                     Format("%-3d", CatchPoints));
    }
    SetFont(Canvas, "Arial", 12, true, RGB(40, 100, 200));
    for (int i = 0; i < GoalCount && i < static_cast<int>(Goals.size()); ++i) {
      const TGoal& goal = Goals[i];
      if (goal.FishKind < 1 || goal.FishKind > 10) continue;
      Canvas.TextOut(GoalTextX[goal.FishKind - 1], 40, Format("%.2d", static_cast<int>(goal.Left)));
    }
    const int64_t score = Player ? Player->Score() : 0;
    SetFont(Canvas, "Arial", 14, false, kWhite);
    Canvas.TextOut(690, 569, Format("%.8" PRId64, score));
    Canvas.Font.Size = 20;
    Canvas.TextOut(80, 560, Format("%4d", static_cast<int>(LevelNo)));
    if (Timer4.Enabled() && TimeLeft > 0) {
      SetFont(Canvas, "Comic Sans MS", 20, false, kGold);
      Canvas.TextOut(330, 300, "Done");
    }
    if (Timer2.Enabled() && !Timer4.Enabled()) {
      if (Paused) {
        SetFont(Canvas, "Comic Sans MS", 25, true, kWhite);
        Canvas.TextOut(360, 285, "Pause");
      } else {
        SetFont(Canvas, "Comic Sans MS", 20, false, kGold);
        Canvas.TextOut(330, 300, "Level " + std::to_string(LevelNo));
      }
    }
  }

  if (GameState == states::kGameOver || GameState == states::kGameOver2) {
    SetFont(Canvas, "Comic Sans MS", 25, true, kGold);
    const std::string text = "GAME OVER";
    // Centred on its panel, whatever the font's width.
    const TAsk* panel = Ask.Get();
    const int x = panel ? RoundToInt(panel->X) + (panel->Width - Canvas.TextWidth(text)) / 2 : 270;
    Canvas.TextOut(x, 280, text);
  }

  if (GameState == states::kExitQuestion || GameState == states::kExitGameQuestion) {
    SetFont(Canvas, "Comic Sans MS", 25, true, kBlack);
    Canvas.TextOut(300, 200, "EXIT GAME?");
    Canvas.TextOut(320, 243, "YES / NO");
    // The highlight repaints parts of "YES / NO" in place, so each part goes
    // where it falls in the whole line with the font we really have.
    const int slashX = 320 + Canvas.TextWidth("YES ");
    const int noX = 320 + Canvas.TextWidth("YES / ");
    if (MenuCursor == 1) {
      Canvas.Font.Color = kGold;
      Canvas.TextOut(320, 243, "YES");
      Canvas.Font.Color = kBlack;
      Canvas.TextOut(slashX, 243, "/ NO");
    } else if (MenuCursor == 2) {
      Canvas.Font.Color = kGold;
      Canvas.TextOut(noX, 243, "NO");
      Canvas.Font.Color = kBlack;
      Canvas.TextOut(320, 243, "YES / ");
    }
  }
}

}  // namespace brinecast
