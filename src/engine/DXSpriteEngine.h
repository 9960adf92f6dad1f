// The sprite-engine component, owning the root of the sprite tree.
#pragma once

#include "engine/DXDraw.h"
#include "engine/SpriteEngine.h"

namespace brinecast {

// The sprite-engine component: owns the root of the sprite tree and keeps it
// attached to its drawing component's current surface.
class TDXSpriteEngine : private TDXDrawListener {
 public:
  explicit TDXSpriteEngine(TDXDraw& draw);
  ~TDXSpriteEngine();
  TDXSpriteEngine(const TDXSpriteEngine&) = delete;
  TDXSpriteEngine& operator=(const TDXSpriteEngine&) = delete;

  TSpriteEngine& Engine() { return engine_; }
  const TSpriteEngine& Engine() const { return engine_; }
  TDXDraw* DXDraw() const { return draw_; }

  void Move(int tick) { engine_.Move(tick); }
  void PurgeDead() { engine_.PurgeDead(); }
  // Draws only while the drawing component has a surface.
  void Draw();

 private:
  void DXDrawInitialized(TDXDraw& draw) override;
  void DXDrawFinalizing(TDXDraw& draw) override;
  void DXDrawDestroyed(TDXDraw& draw) override;

  TDXDraw* draw_;
  TSpriteEngine engine_;
};

}  // namespace brinecast
