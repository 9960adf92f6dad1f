// The main menu's building, keys and clicks.
#include "app/screens/MainMenuScreen.h"

#include "app/TForm1.h"
#include "objects/GameStates.h"

namespace brinecast {

void MainMenuScreen::Build() {
  PlaceButtons(kLayout);
  form_.KeySum = 0;
  // Before start-up has chosen an item there is none to restore: take the first.
  if (menu_.savedCursor < kItemStart || menu_.savedCursor > kItems) {
    menu_.savedCursor = kItemStart;
  }
  menu_.cursor = menu_.savedCursor;
  form_.ShowButton(menu_.cursor, true);
  ComeToFront(GameState::Menu);
}

void MainMenuScreen::SelectFirst() {
  menu_.cursor = kItemStart;
  form_.ShowButton(kItemStart, true);
  for (int n = kItemStart + 1; n <= kItems; ++n) form_.ShowButton(n, false);
  ComeToFront(GameState::Menu);
}

void MainMenuScreen::Select(uint8_t item) {
  form_.NavigationSound();
  menu_.cursor = item;
  for (int n = 1; n <= kItems; ++n) form_.ShowButton(n, false);
  form_.ShowButton(item, true);
}

void MainMenuScreen::Up() {
  Select(menu_.cursor == kItemStart ? kItems : static_cast<uint8_t>(menu_.cursor - 1));
}

void MainMenuScreen::Down() {
  Select(menu_.cursor == kItems ? uint8_t{kItemStart} : static_cast<uint8_t>(menu_.cursor + 1));
}

bool MainMenuScreen::Escape() {
  form_.AskExit();
  return false;
}

void MainMenuScreen::Move(int x, int y) {
  PickItem(kLayout, x, y);
  LightSelected(kItems);
}

void MainMenuScreen::Click() {
  switch (menu_.cursor) {
    case kItemStart:
      form_.StartGame();
      break;
    case kItemOptions:
      form_.BuildOptions();
      break;
    case kItemHiScores:
      form_.BuildHiScores();
      break;
    case kItemHelp:
      form_.BuildHelp();
      break;
    case kItemVisit:
      form_.VisitPortal();
      break;
    case kItemExit:
      form_.AskExit();
      break;
    default:
      break;
  }
}

}  // namespace brinecast
