// The keyboard: presses feed the input states; each release runs one fixed
// sequence of steps that drives the screens, the questions and the typing.
#include "app/TForm1.h"
#include "objects/Ask.h"
#include "objects/GameStates.h"
#include "platform/VirtualKeys.h"
#include "ui/TextEdit.h"

namespace brinecast {

namespace {

constexpr int kKeyN = 'N';
constexpr int kKeyP = 'P';
constexpr int kKeyY = 'Y';
constexpr uint8_t kMainMenuItems = 6;
constexpr uint8_t kOptionRows = 5;

bool IsQuestion(const std::string& state) {
  return state == states::kExitQuestion || state == states::kExitGameQuestion;
}

bool IsTwoRowScreen(const std::string& state) {
  return state == states::kHiScores || state == states::kHelp;
}

// Cursor wrapping within 1..count.
uint8_t Previous(uint8_t cursor, uint8_t count) {
  return cursor == 1 ? count : static_cast<uint8_t>(cursor - 1);
}
uint8_t Following(uint8_t cursor, uint8_t count) {
  return cursor == count ? 1 : static_cast<uint8_t>(cursor + 1);
}

// Backspace or a typing key edits the text; anything else leaves it.
void EditText(std::string& text, int key) {
  if (key == vk::Back) {
    EraseLast(text);
  } else {
    TypeKey(text, key);
  }
}

// 3 and 4. Left and Right pick a row's choice on the options screen, or move
// between the first two items or the two answers.
void KeySideways(TForm1& form, bool right) {
  form.ClearHoverFlags();
  const std::string& state = form.GameState;
  const uint8_t from = right ? 1 : 2;
  const uint8_t to = right ? 2 : 1;
  if (state == states::kOptions) {
    form.NavigationSound();
    bool* left[] = {&form.OverWin, &form.OverMusicOn, &form.OverSoundOn};
    bool* rightHand[] = {&form.OverFull, &form.OverMusicOff, &form.OverSoundOff};
    if (form.MenuCursor >= 1 && form.MenuCursor <= 3) {
      *(right ? rightHand : left)[form.MenuCursor - 1] = true;
      *(right ? left : rightHand)[form.MenuCursor - 1] = false;
      form.DXDraw1Click();
    }
  } else if (IsTwoRowScreen(state) && form.MenuCursor == from) {
    form.NavigationSound();
    form.MenuCursor = to;
    form.ShowButton(to, true);
    form.ShowButton(from, false);
  } else if (IsQuestion(state) && form.MenuCursor == from) {
    form.NavigationSound();
    form.MenuCursor = to;
  }
}

// Up and Down wrap around on the main menu and the options; true when the
// state is one of those two.
bool WrapCursor(TForm1& form, bool down) {
  const bool menu = form.GameState == states::kMenu;
  if (!menu && form.GameState != states::kOptions) return false;
  const uint8_t count = menu ? kMainMenuItems : kOptionRows;
  form.NavigationSound();
  form.MenuCursor = down ? Following(form.MenuCursor, count) : Previous(form.MenuCursor, count);
  if (menu) {
    for (int n = 1; n <= kMainMenuItems; ++n) form.ShowButton(n, false);
    form.ShowButton(form.MenuCursor, true);
  } else {
    form.ShowButton(7, form.MenuCursor == kOptionRows);
  }
  return true;
}

// 5. Up.
void KeyUp(TForm1& form) {
  form.ClearHoverFlags();
  if (WrapCursor(form, false)) return;
  if (IsTwoRowScreen(form.GameState) && form.MenuCursor == 3) {
    form.NavigationSound();
    form.MenuCursor = 1;
    form.ShowButton(1, true);
    form.ShowButton(3, false);
  }
}

// 6. Down; unlike the others it leaves the hover flags alone.
void KeyDown(TForm1& form) {
  if (WrapCursor(form, true)) return;
  if (IsTwoRowScreen(form.GameState) && (form.MenuCursor == 1 || form.MenuCursor == 2)) {
    form.NavigationSound();
    form.MenuCursor = 3;
    form.ShowButton(3, true);
    form.ShowButton(2, false);
    form.ShowButton(1, false);
  }
}

// 8. Escape backs out of the current screen; true when play resumed and the
// key's work is done.
bool KeyEscape(TForm1& form) {
  const std::string& state = form.GameState;
  if (state == states::kExitQuestion) {
    form.AnswerExitNo();
  } else if (state == states::kExitGameQuestion) {
    form.ResumeGame();
    return true;
  } else if (state == states::kMenu) {
    form.AskExit();
  } else if (state == states::kGame) {
    form.LeaveGame();
  } else if (state == states::kOptions || IsTwoRowScreen(state)) {
    form.BuildMainMenu();
  }
  return false;
}

// 13. Enter or Space without Alt answers the question or activates the item.
void KeyEnter(TForm1& form) {
  const std::string& state = form.GameState;
  if (state == states::kOptions) {
    if (form.MenuCursor == 4) form.EditingAddText = !form.EditingAddText;
    if (form.MenuCursor == 5) form.BuildMainMenu();
  } else if (state == states::kEnterName) {
    form.CompleteNameEntry();
  } else if (IsQuestion(state)) {
    form.AnswerQuestion();
  } else {
    form.DXDraw1Click();
  }
}

}  // namespace

void TForm1::FormKeyDown(int key, bool /*alt*/) {
  DXInput1.KeyDown(key);
}

void TForm1::KeyHeld(int key, bool down) {
  if (down) {
    DXInput1.KeyDown(key);
  } else {
    DXInput1.KeyUp(key);
  }
}

void TForm1::FormKeyUp(int key, bool alt) {
  DXInput1.KeyUp(key);
  // 1. The level bonus is being counted: every key waits.
  if (Timer4.Enabled()) return;
  // 2. Any key ends the game-over display.
  if (GameState == states::kGameOver2) {
    Timer3.SetEnabled(false);
    Ask.Kill();
    LeaveGame();
    return;
  }
  if (key == vk::Left) KeySideways(*this, false);
  if (key == vk::Right) KeySideways(*this, true);
  if (key == vk::Up) KeyUp(*this);
  if (key == vk::Down) KeyDown(*this);
  // 7. Every key counts towards the credit code, before Y and N become answers.
  // A long game's keys wrap the sum round instead of overflowing it.
  KeySum = static_cast<int32_t>(static_cast<uint32_t>(KeySum) + static_cast<uint32_t>(key));
  if (IsQuestion(GameState)) {
    if (key == kKeyY) key = vk::Return;
    if (key == kKeyN) key = vk::Escape;
  }
  if (key == vk::Escape && KeyEscape(*this)) return;
  // 9. The window mode switches in every state.
  if (key == vk::Return && alt) {
    Config.Windowed = !Config.Windowed;
    ApplyWindowMode();
  }
  if (key == kKeyP && GameState == states::kGame) {
    if (Paused) {
      ThawPlay();
    } else {
      FreezePlay();
    }
  }
  if (EditingAddText) EditText(Config.AddText, key);
  // A name being sent keeps still until the server has answered.
  if (GameState == states::kEnterName && !Sending) EditText(PlayerName, key);
  if ((key == vk::Return || key == vk::Space) && !alt) KeyEnter(*this);
}

}  // namespace brinecast
