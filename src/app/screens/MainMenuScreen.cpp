// The main menu's building, keys and clicks.
#include "app/screens/MainMenuScreen.h"

#include "app/TForm1.h"
#include "objects/GameStates.h"

namespace brinecast {

void MainMenuScreen::Build() {
  PlaceButtons(kLayout);
  form_.KeySum = 0;
  // Before start-up has chosen an item there is none to restore: take the first.
  if (form_.SavedMenuCursor < kItemStart || form_.SavedMenuCursor > kItems) {
    form_.SavedMenuCursor = kItemStart;
  }
  form_.MenuCursor = form_.SavedMenuCursor;
  form_.ShowButton(form_.MenuCursor, true);
  form_.GameState = states::kMenu;
}

void MainMenuScreen::SelectFirst() {
  form_.MenuCursor = kItemStart;
  form_.ShowButton(kItemStart, true);
  for (int n = kItemStart + 1; n <= kItems; ++n) form_.ShowButton(n, false);
  form_.GameState = states::kMenu;
}

void MainMenuScreen::Select(uint8_t item) {
  form_.NavigationSound();
  form_.MenuCursor = item;
  for (int n = 1; n <= kItems; ++n) form_.ShowButton(n, false);
  form_.ShowButton(item, true);
}

void MainMenuScreen::Up() {
  Select(form_.MenuCursor == kItemStart ? kItems : static_cast<uint8_t>(form_.MenuCursor - 1));
}

void MainMenuScreen::Down() {
  Select(form_.MenuCursor == kItems ? uint8_t{kItemStart}
                                    : static_cast<uint8_t>(form_.MenuCursor + 1));
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
  switch (form_.MenuCursor) {
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
