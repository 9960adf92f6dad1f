// What the screens share between them: the lit buttons of the screen in front, the name
// entry's check box, the cursor and the main menu's cursor kept while a sub-screen has it,
// whether the options' text field is being typed into, and which screen is in front.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/SpriteRef.h"

namespace brinecast {

class TMenuB;
class TChk;
class Screen;

struct MenuState {
  // The most any screen lights: the options' six choices and their way back.
  static constexpr size_t kMostButtons = 7;
  std::array<TSpriteRef<TMenuB>, kMostButtons> buttons{};  // buttons[0] is button 1
  TSpriteRef<TChk> checkBox;
  uint8_t cursor = 0;
  uint8_t savedCursor = 0;
  bool editingAddText = false;
  // The screen that takes keys, the pointer and texts: set by the screen that comes to
  // the front, cleared by every state of play.
  Screen* front = nullptr;
};

}  // namespace brinecast
