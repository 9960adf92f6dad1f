// The name entry of a new high score: the name typed, the check box that sends the
// result to the world's table, and Enter that records the row and shows the table.
#pragma once

#include "app/screens/Screen.h"

namespace brinecast {

class NameEntryScreen : public Screen {
 public:
  using Screen::Screen;

  // Opened over the frozen play field once a game's score qualifies.
  void Open();
  // Whether the pointer is over the check box.
  bool OverCheckBox() const { return overCheckBox_; }

  void Type(int key) override;
  void Enter() override;
  void Move(int x, int y) override;
  bool ClickSounds() const override { return false; }
  void Click() override;
  void Draw(TCanvas& canvas) override;

 private:
  bool overCheckBox_ = false;  // OverCheckBox
};

}  // namespace brinecast
