// The options screen's building, keys, pointer, clicks and texts.
#include "app/screens/OptionsScreen.h"

#include <span>

#include "app/TForm1.h"
#include "app/TextStyle.h"
#include "objects/FonB.h"
#include "objects/GameStates.h"
#include "objects/MenuB.h"
#include "objects/Motion.h"

namespace brinecast {

// The options light the most buttons of any screen.
static_assert(OptionsScreen::kBackButton == TForm1::kMostButtons);

OptionsScreen::OptionsScreen(TForm1& form) : Screen(form) {}

OptionsScreen::~OptionsScreen() = default;

void OptionsScreen::Build() {
  ClearHover();
  panel_ = new TFonB(&form_.DXSpriteEngine1.Engine(), kPanel);
  PlaceButtons(kLayout);
  form_.ShowButton(kBackButton, true);
  TakeCursor(kRowBack);
  form_.GameState = states::kOptions;
}

void OptionsScreen::Leave() {
  panel_.Kill();
}

void OptionsScreen::Sideways(bool right) {
  ClearHover();
  form_.NavigationSound();
  const uint8_t row = form_.MenuCursor;
  if (row < kRowWindow || row > kRowSound) return;
  // Choosing sideways is a click on that choice.
  over_[(row - 1) * 2 + (right ? 1 : 0)] = true;
  form_.DXDraw1Click();
}

void OptionsScreen::MoveCursor(uint8_t row) {
  form_.NavigationSound();
  form_.MenuCursor = row;
  form_.ShowButton(kBackButton, row == kRowBack);
}

void OptionsScreen::Up() {
  ClearHover();
  MoveCursor(form_.MenuCursor == kRowWindow ? kRows : static_cast<uint8_t>(form_.MenuCursor - 1));
}

// Unlike the other keys, Down leaves the hover flags alone.
void OptionsScreen::Down() {
  MoveCursor(form_.MenuCursor == kRows ? uint8_t{kRowWindow}
                                       : static_cast<uint8_t>(form_.MenuCursor + 1));
}

bool OptionsScreen::Escape() {
  form_.BuildMainMenu();
  return false;
}

void OptionsScreen::Type(int key) {
  if (!form_.EditingAddText) return;
  EditText(form_.Config.AddText, key);
}

// Enter is no click here: it only starts or ends the typing, or goes back.
void OptionsScreen::Enter() {
  if (form_.MenuCursor == kRowText) form_.EditingAddText = !form_.EditingAddText;
  if (form_.MenuCursor == kRowBack) form_.BuildMainMenu();
}

void OptionsScreen::Move(int x, int y) {
  for (int i = 0; i < kChoices; ++i) {
    over_[i] = kLayout[i].hit.Contains(x, y);
    if (over_[i]) form_.MenuCursor = kLayout[i].item;
  }
  PickItem(std::span(kLayout).subspan(kChoices), x, y);
  form_.ShowButton(kBackButton, form_.MenuCursor == kRowBack);
}

void OptionsScreen::Click() {
  TConfig& config = form_.Config;
  if (over_[kMusicOn]) {
    config.MusicOn = true;
    if (form_.Music.Loaded()) {
      form_.Music.SongPlay();
    } else {
      form_.PlayMusic(TForm1::Tune::Menu, "Не могу загрузить музыку");
    }
  } else if (over_[kMusicOff]) {
    config.MusicOn = false;
    form_.Music.SongStop();
  } else if (over_[kSoundOn]) {
    config.SoundOn = true;
  } else if (over_[kSoundOff]) {
    config.SoundOn = false;
  } else if (over_[kWindowed]) {
    if (!config.Windowed) {
      config.Windowed = true;
      form_.ApplyWindowMode();
    }
  } else if (over_[kFullScreen]) {
    if (config.Windowed) {
      config.Windowed = false;
      form_.ApplyWindowMode();
    }
  } else if (form_.MenuCursor == kRowText) {
    form_.EditingAddText = true;
  } else if (form_.MenuCursor == kRowBack) {
    form_.SaveConfig();
    form_.BuildMainMenu();
  }
}

// The choices in force stay lit.
void OptionsScreen::Update() {
  const TConfig& config = form_.Config;
  const bool lit[kChoices] = {config.Windowed, !config.Windowed, config.MusicOn,
                              !config.MusicOn, config.SoundOn,   !config.SoundOn};
  for (int i = 0; i < kChoices; ++i) form_.ShowButton(i + 1, lit[i]);
}

void OptionsScreen::Draw(TCanvas& canvas) {
  canvas.Pen.Color = kGold;
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Width = 3;
  const uint8_t row = form_.MenuCursor;
  if (row >= kRowWindow && row <= kRowSound) {
    const TMenuB* left = form_.MenuButtons[(row - 1) * 2].Get();
    const TMenuB* right = form_.MenuButtons[(row - 1) * 2 + 1].Get();
    if (left && right) {
      canvas.Rectangle(RoundToInt(left->X) - 10, RoundToInt(left->Y) - 10,
                       RoundToInt(right->X) + right->Width + 10,
                       RoundToInt(left->Y) + left->Height + 10);
    }
  } else if (row == kRowText) {
    canvas.Rectangle(kTextFrame.Left, kTextFrame.Top, kTextFrame.Right, kTextFrame.Bottom);
  }
  SetFont(canvas, "Comic Sans MS", 25, true, RGB(40, 125, 255));
  const std::string& typed = form_.Config.AddText;
  const std::string text = form_.EditingAddText ? WithCaret(typed) : typed;
  // Middle of the field, clear of its border, whatever the font's height.
  const int y = (kTextFrame.Top + kTextFrame.Bottom - canvas.TextHeight(text + "|")) / 2;
  canvas.TextOut(kTextX, y, text);
}

}  // namespace brinecast
