// A lit menu button: drawn only while Shown, but always there for hit tests.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/ImageSprite.h"

namespace brinecast {

class TMenuB : public TImageSprite {
 public:
  TMenuB(TSprite* parent, uint16_t x, uint16_t y, std::string_view name);

  const char* ClassName() const override { return "TMenuB"; }
  void Render() override;

  bool Shown = false;
};

}  // namespace brinecast
