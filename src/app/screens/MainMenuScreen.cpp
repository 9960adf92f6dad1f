// The main menu's building, keys and clicks.
#include "app/screens/MainMenuScreen.h"

#include "app/screens/ScreenHost.h"
#include "objects/GameStates.h"

namespace brinecast {

void MainMenuScreen::Build() {
  PlaceButtons(kLayout);
  host_.ResetKeySum();
  // Before start-up has chosen an item there is none to restore: take the first.
  if (menu_.savedCursor < kItemStart || menu_.savedCursor > kItems) {
    menu_.savedCursor = kItemStart;
  }
  menu_.cursor = menu_.savedCursor;
  host_.ShowButton(menu_.cursor, true);
  ComeToFront(GameState::Menu);
}

void MainMenuScreen::SelectFirst() {
  menu_.cursor = kItemStart;
  host_.ShowButton(kItemStart, true);
  for (int n = kItemStart + 1; n <= kItems; ++n) host_.ShowButton(n, false);
  ComeToFront(GameState::Menu);
}

void MainMenuScreen::Select(uint8_t item) {
  host_.NavigationSound();
  menu_.cursor = item;
  for (int n = 1; n <= kItems; ++n) host_.ShowButton(n, false);
  host_.ShowButton(item, true);
}

void MainMenuScreen::Up() {
  Select(menu_.cursor == kItemStart ? kItems : static_cast<uint8_t>(menu_.cursor - 1));
}

void MainMenuScreen::Down() {
  Select(menu_.cursor == kItems ? uint8_t{kItemStart} : static_cast<uint8_t>(menu_.cursor + 1));
}

bool MainMenuScreen::Escape() {
  host_.AskExit();
  return false;
}

void MainMenuScreen::Move(int x, int y) {
  PickItem(kLayout, x, y);
  LightSelected(kItems);
}

void MainMenuScreen::Click() {
  switch (menu_.cursor) {
    case kItemStart:
      host_.StartGame();
      break;
    case kItemOptions:
      host_.BuildOptions();
      break;
    case kItemHiScores:
      host_.BuildHiScores();
      break;
    case kItemHelp:
      host_.BuildHelp();
      break;
    case kItemVisit:
      host_.VisitPortal();
      break;
    case kItemExit:
      host_.AskExit();
      break;
    default:
      break;
  }
}

}  // namespace brinecast
