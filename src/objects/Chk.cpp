// The check box: frame 1 (ticked) when sending online, else frame 0, while shown.
#include "objects/Chk.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"
#include "objects/Motion.h"

namespace brinecast {

TChk::TChk(TSprite* parent) : TImageSprite(parent) {
  Image = Game(*this).DXImageList1.Items().Find("Chk");
  Width = Image->Width();
  Height = Image->Height();
  X = 376;
  Y = 365;
  SetZ(6);
}

void TChk::Render() {
  if (!Shown || Engine() == nullptr) return;
  const int frame = Game(*this).SendOnline() ? 1 : 0;
  Image->Draw(Engine()->Surface(), RoundToInt(X), RoundToInt(Y), frame);
}

}  // namespace brinecast
