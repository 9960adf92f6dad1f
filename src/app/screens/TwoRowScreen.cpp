// Building the two-row screens, and their keys and pointer.
#include "app/screens/TwoRowScreen.h"

#include "app/TForm1.h"
#include "objects/FonB.h"

namespace brinecast {

TwoRowScreen::TwoRowScreen(TForm1& form, MenuState& menu, const char* panel, GameState state)
    : Screen(form, menu), panelName_(panel), state_(state) {}

TwoRowScreen::~TwoRowScreen() = default;

void TwoRowScreen::Build() {
  panel_ = new TFonB(&form_.DXSpriteEngine1.Engine(), panelName_);
  PlaceButtons(Layout());
  Opened();
  TakeCursor(kItemBack);
  form_.ShowButton(kItemBack, true);
  ComeToFront(state_);
}

void TwoRowScreen::Leave() {
  panel_.Kill();
}

// Left and Right move only between the first two items.
void TwoRowScreen::Sideways(bool right) {
  const uint8_t from = right ? kItemLeft : kItemRight;
  const uint8_t to = right ? kItemRight : kItemLeft;
  if (menu_.cursor != from) return;
  form_.NavigationSound();
  menu_.cursor = to;
  form_.ShowButton(to, true);
  form_.ShowButton(from, false);
}

void TwoRowScreen::Up() {
  if (menu_.cursor != kItemBack) return;
  form_.NavigationSound();
  menu_.cursor = kItemLeft;
  form_.ShowButton(kItemLeft, true);
  form_.ShowButton(kItemBack, false);
}

void TwoRowScreen::Down() {
  if (menu_.cursor != kItemLeft && menu_.cursor != kItemRight) return;
  form_.NavigationSound();
  menu_.cursor = kItemBack;
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
