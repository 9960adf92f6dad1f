// A screen panel: a named menu picture at its fixed place.
#include "objects/FonB.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"

namespace brinecast {

TFonB::TFonB(TSprite* parent, std::string_view name) : TImageSprite(parent) {
  Image = Game(*this).DXImageList1.Items().Find(name);
  Width = Image->Width();
  Height = Image->Height();
  X = 32;
  Y = 129;
  SetZ(-5);
}

}  // namespace brinecast
