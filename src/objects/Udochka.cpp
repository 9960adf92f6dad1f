// The rod: drawn at its rounded place in the frame the boat chose.
#include "objects/Udochka.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"
#include "objects/Motion.h"
#include "objects/RigLayout.h"

namespace brinecast {

TUdochka::TUdochka(TSprite* parent, int x) : TImageSprite(parent) {
  Image = Game(*this).GameImgs.Items().Find("Udochka");
  Width = Image->Width();
  Height = Image->Height();
  X = x;
  Y = kRodY;
  FrameCount = Image->PatternCount();
  FramePos = 0;
  FrameSpeed = 0;
}

void TUdochka::Render() {
  if (Engine() == nullptr) return;
  Image->Draw(Engine()->Surface(), RoundToInt(X), RoundToInt(Y), RoundToInt(FramePos));
}

}  // namespace brinecast
