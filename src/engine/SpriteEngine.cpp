// The root of the sprite tree: drawing, freeing the dead and following the surface.
#include "engine/SpriteEngine.h"

#include <SDL_surface.h>

namespace brinecast {

TSpriteEngine::TSpriteEngine() : TSprite(nullptr) {}

TSpriteEngine::~TSpriteEngine() {
  // Free the tree while the counters and the queue the sprites update still exist.
  Clear();
  deadQueue_.clear();
}

void TSpriteEngine::Draw() {
  drawnCount_ = 0;
  TSprite::Draw();
}

void TSpriteEngine::PurgeDead() {
  while (!deadQueue_.empty()) {
    TSprite* sprite = deadQueue_.back();
    deadQueue_.pop_back();
    delete sprite;
  }
}

void TSpriteEngine::SetSurface(SDL_Surface* surface) {
  surface_ = surface;
  if (surface == nullptr) return;
  viewRect_ = TRect{0, 0, surface->w, surface->h};
  Width = surface->w;
  Height = surface->h;
}

}  // namespace brinecast
