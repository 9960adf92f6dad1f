// The base of the menu screens and the questions: the layout table each one owns (lit
// pictures, their places and hit rectangles) and the hooks through which the window hands
// the screen in front its keys, its pointer and its frames.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "app/screens/MenuState.h"
#include "objects/GameStates.h"
#include "platform/Rect.h"

namespace brinecast {

class TCanvas;
class ScreenHost;
struct MenuState;

// The rectangle strictly inside the edges (x1, y1) and (x2, y2): a point on an edge
// is outside, as the pointer's areas have always been.
constexpr TRect Inside(int x1, int y1, int x2, int y2) {
  return {x1 + 1, y1 + 1, x2, y2};
}

// One place of a screen: the picture lit over it (null for an area without one), where
// that picture is drawn, the rectangle in which the pointer selects it, and the cursor
// value it selects. The places with a picture are the menu's buttons 1, 2, ... in table order.
struct ScreenPlace {
  const char* picture;
  int x;
  int y;
  TRect hit;
  uint8_t item;
};

class Screen {
 public:
  Screen(ScreenHost& host, MenuState& menu) : host_(host), menu_(menu) {}
  virtual ~Screen() = default;
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // The key-release handler's steps, in its order: Left or Right, Up, Down, the
  // answer keys, Escape (true when the key's work is done), typing, Enter or Space.
  virtual void Sideways(bool /*right*/) {}
  virtual void Up() {}
  virtual void Down() {}
  virtual int AnswerKey(int key) const { return key; }
  virtual bool Escape() { return false; }
  virtual void Type(int /*key*/) {}
  // By default Enter clicks.
  virtual void Enter();

  // The pointer moved; a click (left, or right outside play) on what it selected.
  virtual void Move(int /*x*/, int /*y*/) {}
  virtual bool ClickSounds() const { return true; }
  virtual void Click() {}

  // Each frame after the sprites are drawn: what the screen changes, then its texts.
  virtual void Update() {}
  virtual void Draw(TCanvas& /*canvas*/) {}

  // The main menu is built over this screen: its own sprites go.
  virtual void Leave() {}

 protected:
  // Fills the menu's buttons from button 1 on with the layout's pictures, all unlit.
  void PlaceButtons(std::span<const ScreenPlace> layout);
  // Later places win; outside every place the cursor stays.
  void PickItem(std::span<const ScreenPlace> layout, int x, int y);
  // Lights the selected button alone among the first count.
  void LightSelected(int count);
  // The window's state becomes `state`, with this screen in front.
  void ComeToFront(GameState state);
  // A sub-screen takes the cursor for itself and keeps the main menu's to return to.
  void TakeCursor(uint8_t cursor);
  // Backspace or a typing key edits the text; anything else leaves it.
  static void EditText(std::string& text, int key);

  ScreenHost& host_;
  MenuState& menu_;
};

}  // namespace brinecast
