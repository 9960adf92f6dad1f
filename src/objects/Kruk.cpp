// The hook: its image and resting place below the float.
#include "objects/Kruk.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"
#include "objects/Motion.h"
#include "objects/RigLayout.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TKruk::TKruk(TSprite* parent, double x) : TImageSprite(parent) {
  TakeImage(*this, Game(*this).GameImgs.Items().Find("Kruk"));
  X = RoundToInt(x);
  Y = kHookRestY;
  SetZ(-4);
}

}  // namespace brinecast
