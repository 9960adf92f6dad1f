// The drawing surface's life: made, cleared, dropped, with its listeners told.
#include "engine/DXDraw.h"

#include <SDL_error.h>
#include <SDL_surface.h>

#include <algorithm>

#include "engine/Color.h"
#include "engine/EngineError.h"

namespace brinecast {

TDXDraw::TDXDraw(int surfaceWidth, int surfaceHeight)
    : width_(surfaceWidth), height_(surfaceHeight) {}

TDXDraw::~TDXDraw() {
  Finalize();
  // A listener may unregister while being told; walk a copy.
  std::vector<TDXDrawListener*> listeners = listeners_;
  for (TDXDrawListener* listener : listeners) listener->DXDrawDestroyed(*this);
}

void TDXDraw::Initialize() {
  Finalize();
  surface_.reset(SDL_CreateRGBSurfaceWithFormat(0, width_, height_, 32, SDL_PIXELFORMAT_ARGB8888));
  if (surface_ == nullptr) {
    throw EngineError(std::string("Cannot create the drawing surface: ") + SDL_GetError());
  }
  // Frames are copies, never blends: what is drawn replaces what was there.
  SDL_SetSurfaceBlendMode(surface_.get(), SDL_BLENDMODE_NONE);
  Fill(0);
  std::vector<TDXDrawListener*> listeners = listeners_;
  for (TDXDrawListener* listener : listeners) listener->DXDrawInitialized(*this);
}

void TDXDraw::Finalize() {
  if (surface_ == nullptr) return;
  std::vector<TDXDrawListener*> listeners = listeners_;
  for (TDXDrawListener* listener : listeners) listener->DXDrawFinalizing(*this);
  surface_.reset();
}

void TDXDraw::Fill(uint32_t color) {
  if (surface_ == nullptr) return;
  uint32_t rgb = ColorToRgb(color).value_or(0);
  SDL_FillRect(surface_.get(), nullptr, 0xFF000000u | rgb);
}

void TDXDraw::AddListener(TDXDrawListener* listener) {
  if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
    listeners_.push_back(listener);
  }
}

void TDXDraw::RemoveListener(TDXDrawListener* listener) {
  std::erase(listeners_, listener);
}

}  // namespace brinecast
