// A node of the sprite tree, with its move, collision, draw and death cycle.
#pragma once

#include <memory>
#include <vector>

#include "engine/EngineError.h"
#include "engine/Geometry.h"

namespace brinecast {

class TSpriteEngine;

class ESpriteError : public EngineError {
 public:
  using EngineError::EngineError;
};

// A node of the sprite tree. A sprite is owned by its parent: create it with
// `new TSomething(parent)`, keep the plain pointer, and end it with Kill(); the
// engine frees it at the next PurgeDead(). Only a sprite without a parent (the
// root, or a free-standing test sprite) is deleted by whoever made it.
class TSprite {
 public:
  explicit TSprite(TSprite* parent);
  virtual ~TSprite();
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  // For snapshots and debugging: the most derived class's name.
  virtual const char* ClassName() const { return "TSprite"; }
  // The game's number for the most derived class (0: none), for SpriteCast.
  virtual int ClassTag() const { return 0; }

  // Hooks. `done` is the running collision walk's stop flag.
  virtual void OnCollide(TSprite* other, bool& done);
  virtual void Render();
  virtual void Step(int tick);
  virtual TRect GetBounds() const;
  virtual bool AcceptsHit(TSprite* other) const;

  // Runs Step, then moves the children that existed when the pass reached this sprite.
  void Move(int tick);
  virtual void Draw();
  // Counts and reports the sprites overlapping this one (see OnCollide).
  int Collide();
  void Kill();
  void SetZ(int value);
  // Frees all children, last-added first.
  void Clear();

  double WorldX() const;
  double WorldY() const;

  int Count() const { return static_cast<int>(children_.size()); }
  // The i-th child in insertion order; throws ESpriteError when out of range.
  TSprite* Items(int index) const;
  // Children sorted by Z ascending; among equal Z the most recently placed first.
  const std::vector<TSprite*>& DrawOrder() const { return drawOrder_; }

  TSpriteEngine* Engine() const { return engine_; }
  TSprite* Parent() const { return parent_; }
  bool IsDead() const { return isDead_; }
  int Z() const { return z_; }

  // Shared with every TSpriteRef to this sprite; reset to null when it is freed.
  const std::shared_ptr<TSprite*>& LifeToken() const { return life_; }

  bool CanCollide = true;
  bool CanMove = true;
  bool Visible = true;
  double X = 0;
  double Y = 0;
  int Width = 0;
  int Height = 0;

 private:
  void Place(TSprite* child);
  void Unlink(TSprite* child);
  void Walk(TSprite& seeker);

  TSpriteEngine* engine_ = nullptr;
  TSprite* parent_ = nullptr;
  std::vector<TSprite*> children_;  // owned
  std::vector<TSprite*> drawOrder_;
  bool isDead_ = false;
  int z_ = 0;
  std::shared_ptr<TSprite*> life_ = std::make_shared<TSprite*>(this);
};

}  // namespace brinecast
