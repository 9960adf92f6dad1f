// The wave band: one pixel a frame between x -1 and x -100.
#include "objects/Volna.h"

#include "engine/PictureCollectionItem.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

namespace {
constexpr int kRightEnd = -1;
constexpr int kLeftEnd = -100;
}  // namespace

TVolna::TVolna(TSprite* parent) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).GameImage("Volna"));
  X = kRightEnd;
  Y = 183;
  SetZ(0);
}

void TVolna::Step(int) {
  if (Field(*this).Frozen()) return;
  // X holds whole numbers only, so the ends are met exactly.
  if (X == kRightEnd) Dir = -1;
  if (X == kLeftEnd) Dir = +1;
  X += Dir;
}

}  // namespace brinecast
