// The panel behind every question and message; placed by the state it opens in.
#pragma once

#include <string_view>

#include "engine/ImageSprite.h"

namespace brinecast {

class TAsk : public TImageSprite {
 public:
  // Reads GameState: callers set the new state first.
  TAsk(TSprite* parent, std::string_view name);

  const char* ClassName() const override { return "TAsk"; }
};

}  // namespace brinecast
