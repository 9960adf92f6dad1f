// A full-screen background: the menu's (0) or one of three seas with their seaweed.
#pragma once

#include <array>
#include <cstdint>

#include "engine/ImageSprite.h"
#include "engine/SpriteRef.h"

namespace brinecast {

class TVodorosl;

class TFon : public TImageSprite {
 public:
  // `background` is the menu image list's item number, 0..3.
  TFon(TSprite* parent, int background);

  const char* ClassName() const override { return "TFon"; }

  // Kills the three seaweed slots, then the background.
  void KillWithWeeds();

  std::array<TSpriteRef<TVodorosl>, 3> Weeds{};  // Weeds[0] is slot 1
};

}  // namespace brinecast
