// The band of surface waves sliding to and fro during play.
#pragma once

#include <cstdint>

#include "engine/ImageSprite.h"

namespace brinecast {

class TVolna : public TImageSprite {
 public:
  explicit TVolna(TSprite* parent);

  const char* ClassName() const override { return "TVolna"; }
  void Step(int tick) override;

  int8_t Dir = -1;
};

}  // namespace brinecast
