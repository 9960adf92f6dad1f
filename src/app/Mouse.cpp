// The pointer: moving selects items and steers the boat, the click activates
// the selected item, the left button held lowers the line.
#include <span>

#include "app/TForm1.h"
#include "objects/Ask.h"
#include "objects/Chk.h"
#include "objects/GameStates.h"
#include "objects/Hlp.h"
#include "storage/HighScores.h"

namespace brinecast {

namespace {

// An open rectangle: points on its edges are outside.
struct HitArea {
  int x1;
  int x2;
  int y1;
  int y2;
  uint8_t item;

  bool Holds(int x, int y) const { return x1 < x && x < x2 && y1 < y && y < y2; }
};

constexpr HitArea kMainMenuAreas[] = {{306, 493, 179, 203, 1}, {306, 424, 226, 259, 2},
                                      {306, 478, 275, 301, 3}, {306, 371, 323, 350, 4},
                                      {306, 537, 370, 396, 5}, {306, 367, 419, 442, 6}};

// The six choices of rows 1 to 3, in the order of their hover flags below.
constexpr HitArea kOptionChoices[] = {{302, 389, 230, 249, 1}, {447, 589, 230, 249, 1},
                                      {302, 334, 278, 297, 2}, {392, 433, 278, 297, 2},
                                      {302, 334, 326, 345, 3}, {392, 433, 326, 345, 3}};

constexpr HitArea kOptionRows[] = {{300, 589, 367, 398, 4}, {41, 144, 465, 489, 5}};

constexpr HitArea kHiScoresAreas[] = {
    {40, 222, 465, 484, 1}, {372, 634, 465, 484, 2}, {41, 145, 505, 529, 3}};

constexpr HitArea kHelpAreas[] = {
    {40, 132, 465, 482, 1}, {569, 620, 465, 482, 2}, {41, 145, 505, 529, 3}};

constexpr HitArea kAnswerAreas[] = {{320, 380, 253, 280, 1}, {430, 483, 253, 280, 2}};

// Later areas win; outside every area the cursor stays.
void PickItem(uint8_t& cursor, std::span<const HitArea> areas, int x, int y) {
  for (const HitArea& area : areas) {
    if (area.Holds(x, y)) cursor = area.item;
  }
}

// Lights the selected button alone among the first count.
void LightSelected(TForm1& form, int count) {
  for (int n = 1; n <= count; ++n) form.ShowButton(n, false);
  form.ShowButton(form.MenuCursor, true);
}

void HoverOptions(TForm1& form, int x, int y) {
  bool* flags[] = {&form.OverWin,      &form.OverFull,    &form.OverMusicOn,
                   &form.OverMusicOff, &form.OverSoundOn, &form.OverSoundOff};
  for (size_t i = 0; i < std::size(kOptionChoices); ++i) {
    *flags[i] = kOptionChoices[i].Holds(x, y);
    if (*flags[i]) form.MenuCursor = kOptionChoices[i].item;
  }
  PickItem(form.MenuCursor, kOptionRows, x, y);
  form.ShowButton(7, form.MenuCursor == 5);
}

// The check box's own picture is its hit area.
bool OverSprite(const TSprite* sprite, int x, int y) {
  if (sprite == nullptr) return false;
  return sprite->X < x && x < sprite->X + sprite->Width && sprite->Y < y &&
         y < sprite->Y + sprite->Height;
}

void ClickOptions(TForm1& form) {
  TConfig& config = form.Config;
  if (form.OverMusicOn) {
    config.MusicOn = true;
    if (form.Music.Loaded()) {
      form.Music.SongPlay();
    } else {
      form.PlayMusic(form.AppDir() + "Sound/1.xm", "Не могу загрузить музыку");
    }
  } else if (form.OverMusicOff) {
    config.MusicOn = false;
    form.Music.SongStop();
  } else if (form.OverSoundOn) {
    config.SoundOn = true;
  } else if (form.OverSoundOff) {
    config.SoundOn = false;
  } else if (form.OverWin) {
    if (!config.Windowed) {
      config.Windowed = true;
      form.ApplyWindowMode();
    }
  } else if (form.OverFull) {
    if (config.Windowed) {
      config.Windowed = false;
      form.ApplyWindowMode();
    }
  } else if (form.MenuCursor == 4) {
    form.EditingAddText = true;
  } else if (form.MenuCursor == 5) {
    form.SaveConfig();
    form.BuildMainMenu();
  }
}

void ClickMainMenu(TForm1& form) {
  switch (form.MenuCursor) {
    case 1:
      form.StartGame();
      break;
    case 2:
      form.BuildOptions();
      break;
    case 3:
      form.BuildHiScores();
      break;
    case 4:
      form.BuildHelp();
      break;
    case 5:
      form.VisitPortal();
      break;
    case 6:
      form.AskExit();
      break;
    default:
      break;
  }
}

void TurnHelpPage(TForm1& form, int by) {
  form.HelpPage = static_cast<uint8_t>(form.HelpPage + by);
  form.Hlp.Kill();
  form.Hlp = new THlp(&form.DXSpriteEngine1.Engine(), form.HelpPage);
}

void ClickHelp(TForm1& form) {
  if (form.MenuCursor == 1 && form.HelpPage > 1) {
    TurnHelpPage(form, -1);
  } else if (form.MenuCursor == 2 && form.HelpPage < 4) {
    TurnHelpPage(form, 1);
  } else if (form.MenuCursor == 3) {
    form.BuildMainMenu();
  }
}

}  // namespace

void TForm1::DXDraw1MouseDown(MouseButton button, int /*x*/, int /*y*/) {
  if (button == MouseButton::Left) MouseHeld = true;
}

void TForm1::DXDraw1MouseMove(int x, int y) {
  const int32_t d = x - LastMouseX;
  MouseStepRight = d > 0;
  MouseStepLeft = d < 0;
  LastMouseX = x;
  // The platform reports surface pixels in both window modes: y needs no
  // full-screen correction.
  if (GameState == states::kMenu) {
    PickItem(MenuCursor, kMainMenuAreas, x, y);
    LightSelected(*this, 6);
  } else if (GameState == states::kOptions) {
    HoverOptions(*this, x, y);
  } else if (GameState == states::kHiScores) {
    PickItem(MenuCursor, kHiScoresAreas, x, y);
    LightSelected(*this, 3);
  } else if (GameState == states::kHelp) {
    PickItem(MenuCursor, kHelpAreas, x, y);
    LightSelected(*this, 3);
  } else if (GameState == states::kExitQuestion || GameState == states::kExitGameQuestion) {
    PickItem(MenuCursor, kAnswerAreas, x, y);
  } else if (GameState == states::kEnterName) {
    OverCheckBox = OverSprite(Chk.Get(), x, y);
  }
}

void TForm1::DXDraw1MouseUp(MouseButton button, int /*x*/, int /*y*/) {
  if (button == MouseButton::Left) MouseHeld = false;
  // Outside play the right button clicks as well.
  if (GameState != states::kGame && button == MouseButton::Right) DXDraw1Click();
}

void TForm1::DXDraw1Click() {
  EditingAddText = false;
  KeySum = 0;
  if (GameState == states::kGameOver2) {
    Timer3.SetEnabled(false);
    Ask.Kill();
    LeaveGame();
    return;
  }
  if (GameState == states::kEnterName) {
    // The choice is fixed while the result is on its way.
    if (OverCheckBox && !Sending) Config.SendOnline = !Config.SendOnline;
    return;
  }
  const bool sounding = GameState == states::kExitGameQuestion ||
                        GameState == states::kExitQuestion || GameState == states::kMenu ||
                        GameState == states::kOptions || GameState == states::kHiScores ||
                        GameState == states::kHelp;
  if (!sounding) return;
  NavigationSound();
  if (GameState == states::kExitGameQuestion || GameState == states::kExitQuestion) {
    AnswerQuestion();
  } else if (GameState == states::kMenu) {
    ClickMainMenu(*this);
  } else if (GameState == states::kOptions) {
    ClickOptions(*this);
  } else if (GameState == states::kHiScores) {
    if (MenuCursor == 1) ResetHighScores(Config);
    if (MenuCursor == 2) OpenWorldScores();
    if (MenuCursor == 3) BuildMainMenu();
  } else {
    ClickHelp(*this);
  }
}

}  // namespace brinecast
