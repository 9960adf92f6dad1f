// A menu button's picture at its place, drawn while lit.
#include "objects/MenuB.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Motion.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TMenuB::TMenuB(TSprite* parent, uint16_t x, uint16_t y, std::string_view name)
    : TImageSprite(parent) {
  TakeImage(*this, Field(*this).MenuImage(name));
  X = x;
  Y = y;
  SetZ(0);
}

void TMenuB::Render() {
  if (!Shown) return;
  DrawRounded(*this, 0);
}

}  // namespace brinecast
