// The fishing rod; the boat sets its frame (at rest, reeling, with a catch).
#pragma once

#include "engine/ImageSprite.h"

namespace brinecast {

class TUdochka : public TImageSprite {
 public:
  TUdochka(TSprite* parent, int x);

  const char* ClassName() const override { return "TUdochka"; }
  void Render() override;
};

}  // namespace brinecast
