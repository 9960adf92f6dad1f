// What the screens share: placing their buttons, selecting by pointer, lighting the
// selected button and taking the cursor.
#include "app/screens/Screen.h"

#include "app/screens/ScreenHost.h"
#include "objects/MenuB.h"
#include "platform/VirtualKeys.h"
#include "ui/TextEdit.h"

namespace brinecast {

void Screen::Enter() {
  host_.DXDraw1Click();
}

void Screen::PlaceButtons(std::span<const ScreenPlace> layout) {
  TSprite* root = &host_.SpriteRoot();
  size_t button = 0;
  for (const ScreenPlace& place : layout) {
    if (place.picture == nullptr) continue;
    menu_.buttons[button++] = new TMenuB(root, static_cast<uint16_t>(place.x),
                                         static_cast<uint16_t>(place.y), place.picture);
  }
}

void Screen::PickItem(std::span<const ScreenPlace> layout, int x, int y) {
  for (const ScreenPlace& place : layout) {
    if (place.hit.Contains(x, y)) menu_.cursor = place.item;
  }
}

void Screen::LightSelected(int count) {
  for (int n = 1; n <= count; ++n) host_.ShowButton(n, false);
  host_.ShowButton(menu_.cursor, true);
}

void Screen::ComeToFront(GameState state) {
  host_.SetState(state);
  menu_.front = this;
}

void Screen::TakeCursor(uint8_t cursor) {
  menu_.savedCursor = menu_.cursor;
  menu_.cursor = cursor;
}

void Screen::EditText(std::string& text, int key) {
  if (key == vk::Back) {
    EraseLast(text);
  } else {
    TypeKey(text, key);
  }
}

}  // namespace brinecast
