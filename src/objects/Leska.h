// The fishing line, stretched from the surface down to the hook.
#pragma once

#include <cstdint>

#include "engine/ImageSprite.h"

namespace brinecast {

class TLeska : public TImageSprite {
 public:
  TLeska(TSprite* parent, double x);

  const char* ClassName() const override { return "TLeska"; }
  void Render() override;

  // The y of the line's lower end (the hook's), set by the boat each step.
  int32_t BottomY = 0;
};

}  // namespace brinecast
