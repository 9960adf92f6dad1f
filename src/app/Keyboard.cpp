// The keyboard: presses feed the input states; each release runs one fixed
// sequence of steps, each handed to the screen in front at that moment.
#include "app/TForm1.h"
#include "app/screens/Screen.h"
#include "objects/GameStates.h"
#include "platform/VirtualKeys.h"

namespace brinecast {

namespace {

constexpr int kKeyP = 'P';

}  // namespace

void TForm1::FormKeyDown(int key, bool /*alt*/) {
  DXInput1().KeyDown(key);
}

void TForm1::KeyHeld(int key, bool down) {
  if (down) {
    DXInput1().KeyDown(key);
  } else {
    DXInput1().KeyUp(key);
  }
}

void TForm1::FormKeyUp(int key, bool alt) {
  DXInput1().KeyUp(key);
  // 1. The level bonus is being counted: every key waits.
  if (BonusCount().Enabled()) return;
  // 2. Any key ends the game-over display.
  if (State() == GameState::GameOver2) {
    EndGameOver();
    return;
  }
  // 3 to 6. Left, Right, Up and Down move on the screen.
  if (Screen* screen = Front()) {
    if (key == vk::Left) screen->Sideways(false);
    if (key == vk::Right) screen->Sideways(true);
  }
  if (key == vk::Up) {
    if (Screen* screen = Front()) screen->Up();
  }
  if (key == vk::Down) {
    if (Screen* screen = Front()) screen->Down();
  }
  // 7. Every key counts towards the credit code, before Y and N become answers.
  // A long game's keys wrap the sum round instead of overflowing it.
  KeySum = static_cast<int32_t>(static_cast<uint32_t>(KeySum) + static_cast<uint32_t>(key));
  if (Screen* screen = Front()) key = screen->AnswerKey(key);
  // 8. Escape backs out of the screen, or out of play into its question.
  if (key == vk::Escape) {
    if (Screen* screen = Front()) {
      if (screen->Escape()) return;
    } else if (State() == GameState::Game) {
      LeaveGame();
    }
  }
  // 9. The window mode switches in every state.
  if (key == vk::Return && alt) {
    Config.Windowed = !Config.Windowed;
    ApplyWindowMode();
  }
  // 10. P pauses play or resumes it.
  if (key == kKeyP && State() == GameState::Game) {
    if (Paused()) {
      ThawPlay();
    } else {
      FreezePlay();
    }
  }
  // 11 and 12. The options' text or the name takes the key.
  if (Screen* screen = Front()) screen->Type(key);
  // 13. Enter or Space without Alt activates the item.
  if ((key == vk::Return || key == vk::Space) && !alt) {
    if (Screen* screen = Front()) {
      screen->Enter();
    } else {
      DXDraw1Click();
    }
  }
}

}  // namespace brinecast
