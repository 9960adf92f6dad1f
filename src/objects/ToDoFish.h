// A goal icon of the top panel: the fish kind a goal of this level asks for.
#pragma once

#include <array>
#include <cstdint>

#include "engine/ImageSprite.h"

namespace brinecast {

class TToDoFish : public TImageSprite {
 public:
  // `imageIndex` is the play-field list's item number (fish kind + 20).
  TToDoFish(TSprite* parent, uint8_t imageIndex);

  const char* ClassName() const override { return "TToDoFish"; }
  void Render() override;

  bool Shown = false;
};

// Where the icon of each fish kind sits (index 0 is kind 1); the start-up places
// the ten icons there.
constexpr std::array<int, 10> kToDoIconX{99, 169, 235, 282, 346, 396, 482, 524, 588, 706};
constexpr std::array<int, 10> kToDoIconY{5, 3, 10, 8, 10, 5, 5, 8, 3, 12};
// The first icon's item number in the play-field list is kind + this.
constexpr int kToDoIconFirstItem = 20;

// Makes the icon of `kind` (1..10) at its place.
TToDoFish* CreateToDoIcon(TSprite* parent, int kind);

}  // namespace brinecast
