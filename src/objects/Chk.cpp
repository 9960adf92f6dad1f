// The check box: frame 1 (ticked) when sending online, else frame 0, while shown.
#include "objects/Chk.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"
#include "objects/Motion.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TChk::TChk(TSprite* parent) : TImageSprite(parent) {
  TakeImage(*this, Game(*this).DXImageList1.Items().Find("Chk"));
  X = 376;
  Y = 365;
  SetZ(6);
}

void TChk::Render() {
  if (!Shown) return;
  DrawRounded(*this, Game(*this).SendOnline() ? 1 : 0);
}

}  // namespace brinecast
