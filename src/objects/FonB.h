// The panel behind the options, high-score and help screens.
#pragma once

#include <string_view>

#include "engine/ImageSprite.h"

namespace brinecast {

class TFonB : public TImageSprite {
 public:
  // Every panel's place.
  static constexpr int kLeft = 32;
  static constexpr int kTop = 129;

  TFonB(TSprite* parent, std::string_view name);

  const char* ClassName() const override { return "TFonB"; }
};

}  // namespace brinecast
