// Putting the game's frame on the window at any window or screen size.
#pragma once

#include <SDL_render.h>

#include "platform/sdl/X11Window.h"

namespace brinecast {

// Puts the 800 x 600 frame on the window: letterboxed to any window or screen size,
// enlarged first by a whole factor with sharp pixels and then smoothed to the final
// size, so text stays crisp on any monitor without uneven pixel columns.
class FramePresenter {
 public:
  // throws std::runtime_error; x11 must outlive the presenter.
  FramePresenter(SDL_Window* window, X11Window& x11);
  ~FramePresenter();
  FramePresenter(const FramePresenter&) = delete;
  FramePresenter& operator=(const FramePresenter&) = delete;

  void Present(SDL_Surface* frame);
  // The picture laid over the frame (nullptr for none), shown from now on.
  void SetOverlay(SDL_Surface* overlay);
  // Shows the last frame again, after the window was uncovered or resized.
  void Redraw();
  // After the device lost its textures.
  void ResetTextures();

 private:
  bool EnsureTextures();
  bool EnsureEnlarged(int factor);
  void DrawLayers(const SDL_Rect* target, SDL_ScaleMode mode);
  void Render();

  SDL_Window* window_;
  X11Window& x11_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* frame_ = nullptr;
  SDL_Texture* overlay_ = nullptr;
  SDL_Texture* enlarged_ = nullptr;
  int enlargedFactor_ = 0;
  bool software_ = false;  // no graphics card: one nearest-pixel step, nothing smoothed
  bool rowsUp_ = false;    // OpenGL counts the window's rows from the bottom
  SDL_Surface* overlaySource_ = nullptr;  // not owned
};

}  // namespace brinecast
