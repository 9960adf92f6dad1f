// The line: one pixel tall as a sprite, drawn stretched down to BottomY.
#include "objects/Leska.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Motion.h"
#include "objects/PlayField.h"
#include "objects/RigLayout.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TLeska::TLeska(TSprite* parent, double x) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).GameImage("Leska"));
  Height = 1;
  X = RoundToInt(x);
  Y = kLineY;
  SetZ(-4);
}

void TLeska::Render() {
  if (Engine() == nullptr) return;
  const int left = RoundToInt(X);
  const TRect rect{left, RoundToInt(Y), SaturatingAdd(left, Width), BottomY};
  Image->DrawStretched(Engine()->Surface(), rect, 0);
}

}  // namespace brinecast
