// The hook at the end of the line; fish and objects recognise it by its class.
#pragma once

#include "engine/ImageSprite.h"

namespace brinecast {

class TKruk : public TImageSprite {
 public:
  TKruk(TSprite* parent, double x);

  const char* ClassName() const override { return "TKruk"; }

  // The hook moved up on its latest step: only a rising hook catches.
  bool Rising = false;
};

}  // namespace brinecast
