// The panel behind the options, high-score and help screens.
#pragma once

#include <string_view>

#include "engine/ImageSprite.h"

namespace brinecast {

class TFonB : public TImageSprite {
 public:
  TFonB(TSprite* parent, std::string_view name);

  const char* ClassName() const override { return "TFonB"; }
};

}  // namespace brinecast
