// A screen panel: a named menu picture at its fixed place.
#include "objects/FonB.h"

#include "engine/PictureCollectionItem.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TFonB::TFonB(TSprite* parent, std::string_view name) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).MenuImage(name));
  X = kLeft;
  Y = kTop;
  SetZ(-5);
}

}  // namespace brinecast
