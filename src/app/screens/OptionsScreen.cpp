// The options screen's building, keys, pointer, clicks and texts.
#include "app/screens/OptionsScreen.h"

#include <span>

#include "app/screens/ScreenHost.h"
#include "media/Music.h"
#include "objects/FonB.h"
#include "objects/GameStates.h"
#include "objects/MenuB.h"
#include "objects/Motion.h"
#include "objects/TextStyle.h"
#include "storage/Config.h"

namespace brinecast {

// The options light the most buttons of any screen.
static_assert(OptionsScreen::kBackButton == MenuState::kMostButtons);

OptionsScreen::OptionsScreen(ScreenHost& host, MenuState& menu) : Screen(host, menu) {}

OptionsScreen::~OptionsScreen() = default;

void OptionsScreen::Build() {
  ClearHover();
  panel_ = new TFonB(&host_.SpriteRoot(), kPanel);
  PlaceButtons(kLayout);
  host_.ShowButton(kBackButton, true);
  TakeCursor(kRowBack);
  ComeToFront(GameState::Options);
}

void OptionsScreen::Leave() {
  panel_.Kill();
}

void OptionsScreen::Sideways(bool right) {
  ClearHover();
  host_.NavigationSound();
  const uint8_t row = menu_.cursor;
  if (row < kRowWindow || row > kRowSound) return;
  // Choosing sideways is a click on that choice.
  over_[(row - 1) * 2 + (right ? 1 : 0)] = true;
  host_.DXDraw1Click();
}

void OptionsScreen::MoveCursor(uint8_t row) {
  host_.NavigationSound();
  menu_.cursor = row;
  host_.ShowButton(kBackButton, row == kRowBack);
}

void OptionsScreen::Up() {
  ClearHover();
  MoveCursor(menu_.cursor == kRowWindow ? kRows : static_cast<uint8_t>(menu_.cursor - 1));
}

// Unlike the other keys, Down leaves the hover flags alone.
void OptionsScreen::Down() {
  MoveCursor(menu_.cursor == kRows ? uint8_t{kRowWindow} : static_cast<uint8_t>(menu_.cursor + 1));
}

bool OptionsScreen::Escape() {
  host_.BuildMainMenu();
  return false;
}

void OptionsScreen::Type(int key) {
  if (!menu_.editingAddText) return;
  EditText(host_.Options().AddText, key);
}

// Enter is no click here: it only starts or ends the typing, or goes back.
void OptionsScreen::Enter() {
  if (menu_.cursor == kRowText) menu_.editingAddText = !menu_.editingAddText;
  if (menu_.cursor == kRowBack) host_.BuildMainMenu();
}

void OptionsScreen::Move(int x, int y) {
  for (int i = 0; i < kChoices; ++i) {
    over_[i] = kLayout[i].hit.Contains(x, y);
    if (over_[i]) menu_.cursor = kLayout[i].item;
  }
  PickItem(std::span(kLayout).subspan(kChoices), x, y);
  host_.ShowButton(kBackButton, menu_.cursor == kRowBack);
}

void OptionsScreen::Click() {
  TConfig& config = host_.Options();
  if (over_[kMusicOn]) {
    config.MusicOn = true;
    if (host_.Music().Loaded()) {
      host_.Music().SongPlay();
    } else {
      host_.PlayMusic(ScreenHost::Tune::Menu, "Не могу загрузить музыку");
    }
  } else if (over_[kMusicOff]) {
    config.MusicOn = false;
    host_.Music().SongStop();
  } else if (over_[kSoundOn]) {
    config.SoundOn = true;
  } else if (over_[kSoundOff]) {
    config.SoundOn = false;
  } else if (over_[kWindowed]) {
    if (!config.Windowed) {
      config.Windowed = true;
      host_.ApplyWindowMode();
    }
  } else if (over_[kFullScreen]) {
    if (config.Windowed) {
      config.Windowed = false;
      host_.ApplyWindowMode();
    }
  } else if (menu_.cursor == kRowText) {
    menu_.editingAddText = true;
  } else if (menu_.cursor == kRowBack) {
    host_.SaveConfig();
    host_.BuildMainMenu();
  }
}

// The choices in force stay lit.
void OptionsScreen::Update() {
  const TConfig& config = host_.Options();
  const bool lit[kChoices] = {config.Windowed, !config.Windowed, config.MusicOn,
                              !config.MusicOn, config.SoundOn,   !config.SoundOn};
  for (int i = 0; i < kChoices; ++i) host_.ShowButton(i + 1, lit[i]);
}

void OptionsScreen::Draw(TCanvas& canvas) {
  canvas.Pen.Color = kGold;
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Width = 3;
  const uint8_t row = menu_.cursor;
  if (row >= kRowWindow && row <= kRowSound) {
    const TMenuB* left = menu_.buttons[(row - 1) * 2].Get();
    const TMenuB* right = menu_.buttons[(row - 1) * 2 + 1].Get();
    if (left && right) {
      canvas.Rectangle(RoundToInt(left->X) - 10, RoundToInt(left->Y) - 10,
                       RoundToInt(right->X) + right->Width + 10,
                       RoundToInt(left->Y) + left->Height + 10);
    }
  } else if (row == kRowText) {
    canvas.Rectangle(kTextFrame.Left, kTextFrame.Top, kTextFrame.Right, kTextFrame.Bottom);
  }
  SetFont(canvas, "Comic Sans MS", 25, true, RGB(40, 125, 255));
  const std::string& typed = host_.Options().AddText;
  const std::string text = menu_.editingAddText ? WithCaret(typed) : typed;
  // Middle of the field, clear of its border, whatever the font's height.
  const int y = (kTextFrame.Top + kTextFrame.Bottom - canvas.TextHeight(text + "|")) / 2;
  canvas.TextOut(kTextX, y, text);
}

}  // namespace brinecast
