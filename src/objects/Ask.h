// The panel behind every question and message; placed by the state it opens in.
#pragma once

#include <string_view>

#include "engine/ImageSprite.h"

namespace brinecast {

class TAsk : public TImageSprite {
 public:
  // Its places: over the main menu or play for the exit questions, lower otherwise.
  static constexpr int kQuestionLeft = 270;
  static constexpr int kQuestionTop = 120;
  static constexpr int kPanelLeft = 239;
  static constexpr int kPanelTop = 187;

  // Reads GameState: callers set the new state first.
  TAsk(TSprite* parent, std::string_view name);

  const char* ClassName() const override { return "TAsk"; }
};

}  // namespace brinecast
