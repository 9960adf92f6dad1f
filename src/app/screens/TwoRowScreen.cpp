// Building the two-row screens, and their keys and pointer.
#include "app/screens/TwoRowScreen.h"

#include "app/TForm1.h"
#include "objects/FonB.h"

namespace brinecast {

TwoRowScreen::TwoRowScreen(TForm1& form, const char* panel, std::string_view state)
    : Screen(form), panelName_(panel), state_(state) {}

TwoRowScreen::~TwoRowScreen() = default;

void TwoRowScreen::Build() {
  panel_ = new TFonB(&form_.DXSpriteEngine1.Engine(), panelName_);
  PlaceButtons(Layout());
  Opened();
  TakeCursor(kItemBack);
  form_.ShowButton(kItemBack, true);
  form_.GameState = state_;
}

void TwoRowScreen::Leave() {
  panel_.Kill();
}

// Left and Right move only between the first two items.
void TwoRowScreen::Sideways(bool right) {
  const uint8_t from = right ? kItemLeft : kItemRight;
  const uint8_t to = right ? kItemRight : kItemLeft;
  if (form_.MenuCursor != from) return;
  form_.NavigationSound();
  form_.MenuCursor = to;
  form_.ShowButton(to, true);
  form_.ShowButton(from, false);
}

void TwoRowScreen::Up() {
  if (form_.MenuCursor != kItemBack) return;
  form_.NavigationSound();
  form_.MenuCursor = kItemLeft;
  form_.ShowButton(kItemLeft, true);
  form_.ShowButton(kItemBack, false);
}

void TwoRowScreen::Down() {
  if (form_.MenuCursor != kItemLeft && form_.MenuCursor != kItemRight) return;
  form_.NavigationSound();
  form_.MenuCursor = kItemBack;
  form_.ShowButton(kItemBack, true);
  form_.ShowButton(kItemRight, false);
  form_.ShowButton(kItemLeft, false);
}

bool TwoRowScreen::Escape() {
  form_.BuildMainMenu();
  return false;
}

void TwoRowScreen::Move(int x, int y) {
  PickItem(Layout(), x, y);
  LightSelected(kItems);
}

}  // namespace brinecast
