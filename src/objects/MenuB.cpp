// A menu button's picture at its place, drawn while lit.
#include "objects/MenuB.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"
#include "objects/Motion.h"

namespace brinecast {

TMenuB::TMenuB(TSprite* parent, uint16_t x, uint16_t y, std::string_view name)
    : TImageSprite(parent) {
  Image = Game(*this).DXImageList1.Items().Find(name);
  Width = Image->Width();
  Height = Image->Height();
  X = x;
  Y = y;
  SetZ(0);
}

void TMenuB::Render() {
  if (!Shown || Engine() == nullptr) return;
  Image->Draw(Engine()->Surface(), RoundToInt(X), RoundToInt(Y), 0);
}

}  // namespace brinecast
