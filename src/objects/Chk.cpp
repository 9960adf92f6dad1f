// The check box: frame 1 (ticked) when sending online, else frame 0, while shown.
#include "objects/Chk.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Motion.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TChk::TChk(TSprite* parent) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).MenuImage("Chk"));
  X = 376;
  Y = 365;
  SetZ(6);
}

void TChk::Render() {
  if (!Shown) return;
  DrawRounded(*this, Field(*this).SendOnline() ? 1 : 0);
}

}  // namespace brinecast
