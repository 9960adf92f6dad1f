// Goal icons: taken from the play-field list by item number, drawn while shown.
#include "objects/ToDoFish.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Motion.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TToDoFish::TToDoFish(TSprite* parent, uint8_t imageIndex) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).GameImage(imageIndex));
  SetZ(-1);
}

void TToDoFish::Render() {
  if (!Shown) return;
  DrawRounded(*this, 0);
}

TToDoFish* CreateToDoIcon(TSprite* parent, int kind) {
  auto* icon = new TToDoFish(parent, static_cast<uint8_t>(kind + kToDoIconFirstItem));
  icon->X = kToDoIconX.at(kind - 1);
  icon->Y = kToDoIconY.at(kind - 1);
  return icon;
}

}  // namespace brinecast
