// The drawing-surface component: the back surface every frame is drawn on, and the
// components that follow it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/SurfacePtr.h"
#include "platform/SurfaceSize.h"

namespace brinecast {

class TDXDraw;

// Components that follow a drawing surface: the sprite engine attaches to each
// new surface, image lists rebuild their pictures for it.
class TDXDrawListener {
 public:
  virtual void DXDrawInitialized(TDXDraw& draw) = 0;
  virtual void DXDrawFinalizing(TDXDraw& draw) = 0;
  // The drawing component is going away: forget it.
  virtual void DXDrawDestroyed(TDXDraw& draw) = 0;

 protected:
  ~TDXDrawListener() = default;
};

// The drawing-surface component: owns the back surface every frame is drawn on,
// an ARGB8888 SDL surface in memory (no video driver needed). Presenting it is
// the platform's job.
class TDXDraw {
 public:
  explicit TDXDraw(int surfaceWidth = kSurfaceWidth, int surfaceHeight = kSurfaceHeight);
  ~TDXDraw();
  TDXDraw(const TDXDraw&) = delete;
  TDXDraw& operator=(const TDXDraw&) = delete;

  // (Re)builds the surface, then tells the listeners. Throws EngineError if the
  // surface cannot be made.
  void Initialize();
  // Tells the listeners, then drops the surface. Nothing happens if not initialised.
  void Finalize();
  bool Initialized() const { return surface_ != nullptr; }
  // Whether a frame can be drawn now.
  bool CanDraw() const { return Initialized(); }

  SDL_Surface* Surface() const { return surface_.get(); }
  int SurfaceWidth() const { return width_; }
  int SurfaceHeight() const { return height_; }

  // Fills the whole surface with a game colour (0x00BBGGRR), fully opaque.
  void Fill(uint32_t color);

  void AddListener(TDXDrawListener* listener);
  void RemoveListener(TDXDrawListener* listener);

 private:
  int width_;
  int height_;
  SurfacePtr surface_;
  std::vector<TDXDrawListener*> listeners_;
};

}  // namespace brinecast
