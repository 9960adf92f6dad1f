// The rod: drawn at its rounded place in the frame the boat chose.
#include "objects/Udochka.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Motion.h"
#include "objects/PlayField.h"
#include "objects/RigLayout.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TUdochka::TUdochka(TSprite* parent, int x) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).GameImage("Udochka"));
  X = x;
  Y = kRodY;
  FrameCount = Image->PatternCount();
  FramePos = 0;
  FrameSpeed = 0;
}

void TUdochka::Render() {
  DrawRounded(*this, RoundToInt(FramePos));
}

}  // namespace brinecast
