// The root of the sprite tree and the context the game hangs on it.
#pragma once

#include <vector>

#include "engine/Geometry.h"
#include "engine/Sprite.h"

struct SDL_Surface;

namespace brinecast {

// Whatever the game hangs on its engine so its sprites can reach it.
class TEngineContext {
 public:
  virtual ~TEngineContext() = default;
};

// The root of the sprite tree: counts its sprites, runs collision walks, keeps
// the killed sprites until PurgeDead and knows the surface sprites render on.
class TSpriteEngine : public TSprite {
 public:
  TSpriteEngine();
  ~TSpriteEngine() override;

  const char* ClassName() const override { return "TSpriteEngine"; }

  void Draw() override;
  // Frees the killed sprites, last killed first.
  void PurgeDead();
  void SetSurface(SDL_Surface* surface);

  SDL_Surface* Surface() const { return surface_; }
  TRect ViewRect() const { return viewRect_; }
  int SpriteCount() const { return spriteCount_; }
  int DrawnCount() const { return drawnCount_; }
  const std::vector<TSprite*>& DeadQueue() const { return deadQueue_; }

  TEngineContext* Context() const { return context_; }
  void SetContext(TEngineContext* context) { context_ = context; }

 private:
  friend class TSprite;

  int spriteCount_ = 0;
  int hitCount_ = 0;
  bool hitDone_ = false;
  TRect hitRect_;
  std::vector<TSprite*> deadQueue_;
  int drawnCount_ = 0;
  SDL_Surface* surface_ = nullptr;
  TRect viewRect_;
  TEngineContext* context_ = nullptr;
};

}  // namespace brinecast
