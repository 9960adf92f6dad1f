// The shape the high-score table and the help share: a panel with two items side by
// side over a third, the way back.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "app/screens/Screen.h"
#include "engine/SpriteRef.h"

namespace brinecast {

class TFonB;

class TwoRowScreen : public Screen {
 public:
  enum Item : uint8_t { kItemLeft = 1, kItemRight, kItemBack };
  static constexpr int kItems = 3;

  TwoRowScreen(ScreenHost& host, MenuState& menu, const char* panel, GameState state);
  ~TwoRowScreen() override;

  // The panel, the buttons and what the screen adds, with the way back selected.
  void Build();

  void Sideways(bool right) override;
  void Up() override;
  void Down() override;
  bool Escape() override;
  void Move(int x, int y) override;
  void Leave() override;

 protected:
  virtual std::span<const ScreenPlace> Layout() const = 0;
  // Run once the buttons are placed.
  virtual void Opened() {}

 private:
  const char* panelName_;
  GameState state_;
  TSpriteRef<TFonB> panel_;
};

}  // namespace brinecast
