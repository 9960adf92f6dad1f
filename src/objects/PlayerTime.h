// The bar of the level clock: as wide as the share of time left, flashing when low.
#pragma once

#include "engine/ImageSprite.h"
#include "objects/SpriteClassTags.h"

namespace brinecast {

class TPlayerTime final : public TImageSprite {
 public:
  explicit TPlayerTime(TSprite* parent);

  static constexpr int kClassTag = kTimeBarTag;
  const char* ClassName() const override { return "TPlayerTime"; }
  int ClassTag() const override { return kClassTag; }
  void Render() override;
  // Flashing follows the frame number.
  void Step(int tick) override;
  // Drawn this frame: the level clock stays at 1 or more (see TPlayField::HoldClock).
  void HoldClock();

  bool Blink = false;
};

}  // namespace brinecast
