#pragma once

// Stand-ins for the drawing component, sprite engine and image lists until the
// engine's own arrive; they draw nothing and present no pixels.
#include <vector>

struct SDL_Surface;

namespace brinecast::standin {

class TDXDraw {
 public:
  void Initialize() {}
  bool CanDraw() const { return true; }
  SDL_Surface* Surface() const { return nullptr; }
  void Fill(unsigned /*color*/) {}
};

class TSprite {
 public:
  virtual ~TSprite() = default;
  virtual const char* ClassName() const { return "TSprite"; }
  bool IsDead() const { return false; }
  int Z() const { return 0; }
  const std::vector<TSprite*>& DrawOrder() const { return drawOrder_; }
  double X = 0;
  double Y = 0;

 private:
  std::vector<TSprite*> drawOrder_;
};

class TImageSprite : public TSprite {
 public:
  double FramePos = 0;
};

class TDXSpriteEngine {
 public:
  explicit TDXSpriteEngine(TDXDraw& /*draw*/) {}
  TSprite& Engine() { return root_; }
  void Move(int /*tick*/) {}
  void PurgeDead() {}
  void Draw() {}

 private:
  TSprite root_;
};

class TDXImageList {
 public:
  explicit TDXImageList(TDXDraw& /*draw*/) {}
};

}  // namespace brinecast::standin

namespace brinecast {
using standin::TDXDraw;
using standin::TDXImageList;
using standin::TDXSpriteEngine;
using standin::TImageSprite;
using standin::TSprite;
}  // namespace brinecast
