// An air bubble rising from the depths and wobbling about its start.
#pragma once

#include <cstdint>

#include "engine/ImageSprite.h"

namespace brinecast {

class TPuzir : public TImageSprite {
 public:
  // A new bubble at the bottom, its picture, place, swing and rise drawn at random.
  explicit TPuzir(TSprite* parent);
  // A bubble carried over from an earlier game, in the picture it had; the caller gives it its
  // place and motion. Draws nothing from the generator.
  TPuzir(TSprite* parent, bool cluster);

  // The "Puziri" picture rather than "Puzir".
  bool Cluster() const;

  const char* ClassName() const override { return "TPuzir"; }
  void Step(int tick) override;

  uint8_t Swing = 3;  // 3..9 pixels each side of CentreX
  uint16_t CentreX = 0;
  int8_t Dir = +1;
  uint8_t Rise = 1;  // 1..3 pixels a frame
};

}  // namespace brinecast
