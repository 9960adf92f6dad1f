// The question panel: higher up for the exit questions, lower for game over and name entry.
#include "objects/Ask.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"
#include "objects/GameStates.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TAsk::TAsk(TSprite* parent, std::string_view name) : TImageSprite(parent) {
  TGame& game = Game(*this);
  TakeImage(*this, game.DXImageList1.Items().Find(name));
  const bool exitQuestion =
      game.GameState == states::kExitQuestion || game.GameState == states::kExitGameQuestion;
  X = exitQuestion ? kQuestionLeft : kPanelLeft;
  Y = exitQuestion ? kQuestionTop : kPanelTop;
  SetZ(5);
}

}  // namespace brinecast
