// The gauge frame "Time1" and the bar it owns.
#include "objects/LimitTime.h"

#include "engine/PictureCollectionItem.h"
#include "objects/PlayField.h"
#include "objects/PlayerTime.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TLimitTime::TLimitTime(TSprite* parent) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).GameImage("Time1"));
  X = 187;
  Y = 579;
  SetZ(0);
  Bar = new TPlayerTime(parent);
}

void TLimitTime::KillWithBar() {
  Bar.Kill();
  Kill();
}

}  // namespace brinecast
