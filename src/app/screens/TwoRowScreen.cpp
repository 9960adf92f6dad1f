// Building the two-row screens, and their keys and pointer.
#include "app/screens/TwoRowScreen.h"

#include "app/screens/ScreenHost.h"
#include "objects/FonB.h"

namespace brinecast {

TwoRowScreen::TwoRowScreen(ScreenHost& host, MenuState& menu, const char* panel, GameState state)
    : Screen(host, menu), panelName_(panel), state_(state) {}

TwoRowScreen::~TwoRowScreen() = default;

void TwoRowScreen::Build() {
  panel_ = new TFonB(&host_.SpriteRoot(), panelName_);
  PlaceButtons(Layout());
  Opened();
  TakeCursor(kItemBack);
  host_.ShowButton(kItemBack, true);
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
  host_.NavigationSound();
  menu_.cursor = to;
  host_.ShowButton(to, true);
  host_.ShowButton(from, false);
}

void TwoRowScreen::Up() {
  if (menu_.cursor != kItemBack) return;
  host_.NavigationSound();
  menu_.cursor = kItemLeft;
  host_.ShowButton(kItemLeft, true);
  host_.ShowButton(kItemBack, false);
}

void TwoRowScreen::Down() {
  if (menu_.cursor != kItemLeft && menu_.cursor != kItemRight) return;
  host_.NavigationSound();
  menu_.cursor = kItemBack;
  host_.ShowButton(kItemBack, true);
  host_.ShowButton(kItemRight, false);
  host_.ShowButton(kItemLeft, false);
}

bool TwoRowScreen::Escape() {
  host_.BuildMainMenu();
  return false;
}

void TwoRowScreen::Move(int x, int y) {
  PickItem(Layout(), x, y);
  LightSelected(kItems);
}

}  // namespace brinecast
