// The level time gauge at the bottom of the play field, with its bar.
#pragma once

#include "engine/ImageSprite.h"
#include "engine/SpriteRef.h"

namespace brinecast {

class TPlayerTime;

class TLimitTime : public TImageSprite {
 public:
  // Makes the gauge frame and the bar beneath it.
  explicit TLimitTime(TSprite* parent);

  const char* ClassName() const override { return "TLimitTime"; }

  // Kills the bar, then the gauge.
  void KillWithBar();

  TSpriteRef<TPlayerTime> Bar;
};

}  // namespace brinecast
