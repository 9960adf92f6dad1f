// The gauge frame "Time1" and the bar it owns.
#include "objects/LimitTime.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"
#include "objects/PlayerTime.h"

namespace brinecast {

TLimitTime::TLimitTime(TSprite* parent) : TImageSprite(parent) {
  Image = Game(*this).GameImgs.Items().Find("Time1");
  Width = Image->Width();
  Height = Image->Height();
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
