// A help page: picture "Hlp<page>" at its fixed place.
#include "objects/Hlp.h"

#include <string>

#include "engine/PictureCollectionItem.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

THlp::THlp(TSprite* parent, uint8_t page) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).MenuImage("Hlp" + std::to_string(page)));
  X = kLeft;
  Y = kTop;
  SetZ(0);
}

}  // namespace brinecast
