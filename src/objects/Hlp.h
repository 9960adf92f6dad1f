// One page of the help screen.
#pragma once

#include <cstdint>

#include "engine/ImageSprite.h"

namespace brinecast {

class THlp : public TImageSprite {
 public:
  // Every page's place.
  static constexpr int kLeft = 33;
  static constexpr int kTop = 175;

  // `page` is the help screen's page, 1..4.
  THlp(TSprite* parent, uint8_t page);

  const char* ClassName() const override { return "THlp"; }
};

}  // namespace brinecast
