// The bubble: wobbles one pixel a frame, rises, and bursts at the surface band.
#include "objects/Puzir.h"

#include "engine/PictureCollectionItem.h"
#include "objects/GameStates.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

namespace {
constexpr int kSurfaceBand = 225;
constexpr int kDepth = -6;
constexpr const char* kSingle = "Puzir";
constexpr const char* kCluster = "Puziri";
}  // namespace

TPuzir::TPuzir(TSprite* parent) : TImageSprite(parent) {
  TPlayField& field = Field(*this);
  TakeImage(*this, field.GameImage(field.Random(2) == 0 ? kSingle : kCluster));
  X = static_cast<int>(field.Random(760)) + 20;
  Y = 500;
  SetZ(kDepth);
  CentreX = static_cast<uint16_t>(X);
  Swing = static_cast<uint8_t>(field.Random(7) + 3);
  Dir = +1;
  Rise = static_cast<uint8_t>(field.Random(3) + 1);
}

TPuzir::TPuzir(TSprite* parent, bool cluster) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).GameImage(cluster ? kCluster : kSingle));
  SetZ(kDepth);
}

bool TPuzir::Cluster() const {
  return Image != nullptr && Image->Name() == kCluster;
}

void TPuzir::Step(int) {
  TPlayField& field = Field(*this);
  // Frozen first, so a bubble outlives the exit question and the game-over pause.
  if (field.Frozen()) return;
  if (field.State() != states::kGame) {
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
