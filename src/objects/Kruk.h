// The hook at the end of the line; fish and objects recognise it by its class.
#pragma once

#include "engine/ImageSprite.h"
#include "objects/SpriteClassTags.h"

namespace brinecast {

class TKruk final : public TImageSprite {
 public:
  TKruk(TSprite* parent, double x);

  static constexpr int kClassTag = kHookTag;
  const char* ClassName() const override { return "TKruk"; }
  int ClassTag() const override { return kClassTag; }

  // The hook moved up on its latest step: only a rising hook catches.
  bool Rising = false;
};

}  // namespace brinecast
