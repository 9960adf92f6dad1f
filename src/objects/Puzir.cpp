// The bubble: wobbles one pixel a frame, rises, and bursts at the surface band.
#include "objects/Puzir.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"
#include "objects/GameStates.h"
#include "objects/SpriteImage.h"

namespace brinecast {

namespace {
constexpr int kSurfaceBand = 225;
}  // namespace

TPuzir::TPuzir(TSprite* parent) : TImageSprite(parent) {
  TGame& game = Game(*this);
  TakeImage(*this, game.GameImgs.Items().Find(game.Random(2) == 0 ? "Puzir" : "Puziri"));
  X = static_cast<int>(game.Random(760)) + 20;
  Y = 500;
  SetZ(-6);
  CentreX = static_cast<uint16_t>(X);
  Swing = static_cast<uint8_t>(game.Random(7) + 3);
  Dir = +1;
  Rise = static_cast<uint8_t>(game.Random(3) + 1);
}

void TPuzir::Step(int) {
  TGame& game = Game(*this);
  // Frozen first, so a bubble outlives the exit question and the game-over pause.
  if (game.Timer2.Enabled()) return;
  if (game.GameState != states::kGame) {
    Kill();
    return;
  }
  if (X >= CentreX + Swing) {
    Dir = -1;
  } else if (X <= CentreX - Swing) {
    Dir = +1;
  }
  X += Dir;
  Y -= Rise;
  if (Y <= kSurfaceBand) Kill();
}

}  // namespace brinecast
