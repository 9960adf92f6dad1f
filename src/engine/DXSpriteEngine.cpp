// The sprite-engine component attaching its root to each new drawing surface.
#include "engine/DXSpriteEngine.h"

namespace brinecast {

TDXSpriteEngine::TDXSpriteEngine(TDXDraw& draw) : draw_(&draw) {
  draw_->AddListener(this);
  if (draw_->Initialized()) engine_.SetSurface(draw_->Surface());
}

TDXSpriteEngine::~TDXSpriteEngine() {
  if (draw_ != nullptr) draw_->RemoveListener(this);
}

void TDXSpriteEngine::Draw() {
  if (draw_ != nullptr && draw_->Initialized()) engine_.Draw();
}

void TDXSpriteEngine::DXDrawInitialized(TDXDraw& draw) {
  engine_.SetSurface(draw.Surface());
}

void TDXSpriteEngine::DXDrawFinalizing(TDXDraw&) {
  engine_.SetSurface(nullptr);
}

void TDXSpriteEngine::DXDrawDestroyed(TDXDraw&) {
  draw_ = nullptr;
}

}  // namespace brinecast
