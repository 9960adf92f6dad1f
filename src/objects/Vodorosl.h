// A seaweed of a sea background, swaying through its frames.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/ImageSprite.h"

namespace brinecast {

class TVodorosl : public TImageSprite {
 public:
  TVodorosl(TSprite* parent, int32_t x, int32_t y, std::string_view name);

  const char* ClassName() const override { return "TVodorosl"; }
  void Step(int tick) override;

  // Frames between two sway steps, 10..14, so neighbours sway out of step.
  uint8_t Delay = 10;
};

}  // namespace brinecast
