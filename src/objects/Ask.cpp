// The question panel: higher up for the exit questions, lower for game over and name entry.
#include "objects/Ask.h"

#include "engine/PictureCollectionItem.h"
#include "objects/GameStates.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TAsk::TAsk(TSprite* parent, std::string_view name) : TImageSprite(parent) {
  TPlayField& field = Field(*this);
  TakeImage(*this, field.MenuImage(name));
  const bool exitQuestion =
      field.State() == GameState::ExitQuestion || field.State() == GameState::ExitGameQuestion;
  X = exitQuestion ? kQuestionLeft : kPanelLeft;
  Y = exitQuestion ? kQuestionTop : kPanelTop;
  SetZ(5);
}

}  // namespace brinecast
