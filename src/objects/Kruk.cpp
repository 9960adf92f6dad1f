// The hook: its image and resting place below the float.
#include "objects/Kruk.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Motion.h"
#include "objects/PlayField.h"
#include "objects/RigLayout.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TKruk::TKruk(TSprite* parent, double x) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).GameImage("Kruk"));
  X = RoundToInt(x);
  Y = kHookRestY;
  SetZ(-4);
}

}  // namespace brinecast
