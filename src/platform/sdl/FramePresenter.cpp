// Showing the frame and the message box in the window: textures, the letterbox and the
// sharp-then-smooth enlargement.
#include "platform/sdl/FramePresenter.h"

#include <SDL.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/sdl/Letterbox.h"

namespace brinecast {

namespace {

SDL_Texture* NewTexture(SDL_Renderer* renderer, int access, int w, int h, SDL_BlendMode blend) {
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, access, w, h);
  if (texture != nullptr) SDL_SetTextureBlendMode(texture, blend);
  return texture;
}

void Destroy(SDL_Texture*& texture) {
  if (texture != nullptr) SDL_DestroyTexture(texture);
  texture = nullptr;
}

// An OpenGL driver that draws with the processor (no graphics card, a virtual or
// remote display) costs a sixth of a core at 60 frames a second just to show them.
bool RasterisesOnTheCpu(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || SDL_strncmp(info.name, "opengl", 6) != 0) {
    return false;
  }
  using GetString = const unsigned char* (*)(unsigned int);
  constexpr unsigned int kGlRenderer = 0x1F01;
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
  if (name == nullptr) return false;
  const char* text = reinterpret_cast<const char*>(name);
  for (const char* cpu : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
    if (SDL_strstr(text, cpu) != nullptr) return true;
  }
  return false;
}

}  // namespace

FramePresenter::FramePresenter(SDL_Window* window, X11Window& x11) : window_(window), x11_(x11) {
  renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (renderer_ != nullptr && RasterisesOnTheCpu(renderer_)) {
    SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
  }
  if (renderer_ == nullptr) {
    // Drawing on the CPU anyway: our own copy to the window is far cheaper than going
    // through an emulated graphics card, and sharp scaling alone keeps it cheap.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    software_ = true;
  }
  if (renderer_ == nullptr) {
    throw std::runtime_error(std::string("Cannot draw into the window: ") + SDL_GetError());
  }
  SDL_RendererInfo info;
  rowsUp_ = SDL_GetRendererInfo(renderer_, &info) == 0 && SDL_strncmp(info.name, "opengl", 6) == 0;
}

FramePresenter::~FramePresenter() {
  ResetTextures();
  SDL_DestroyRenderer(renderer_);
}

void FramePresenter::ResetTextures() {
  Destroy(frame_);
  Destroy(overlay_);
  Destroy(enlarged_);
  enlargedFactor_ = 0;
}

bool FramePresenter::EnsureTextures() {
  if (frame_ == nullptr) {
    // The frame's alpha byte is unused: copying it opaque keeps stray alpha invisible.
    frame_ = NewTexture(renderer_, SDL_TEXTUREACCESS_STREAMING, kSurfaceWidth, kSurfaceHeight,
                        SDL_BLENDMODE_NONE);
    void* pixels = nullptr;
    int pitch = 0;
    // Black until the first frame, so a message box shown before it sits on black.
    if (frame_ != nullptr && SDL_LockTexture(frame_, nullptr, &pixels, &pitch) == 0) {
      SDL_memset(pixels, 0, static_cast<size_t>(pitch) * kSurfaceHeight);
      SDL_UnlockTexture(frame_);
    }
  }
  if (overlay_ == nullptr && overlaySource_ != nullptr) {
    overlay_ = NewTexture(renderer_, SDL_TEXTUREACCESS_STATIC, kSurfaceWidth, kSurfaceHeight,
                          SDL_BLENDMODE_BLEND);
    if (overlay_ != nullptr) {
      SDL_UpdateTexture(overlay_, nullptr, overlaySource_->pixels, overlaySource_->pitch);
    }
  }
  return frame_ != nullptr;
}

void FramePresenter::SetOverlay(SDL_Surface* overlay) {
  Destroy(overlay_);
  overlaySource_ = overlay;
  EnsureTextures();
}

void FramePresenter::Present(SDL_Surface* frame) {
  if (frame == nullptr || !EnsureTextures()) return;
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(frame_, nullptr, &pixels, &pitch) != 0) return;
  const int w = std::min(frame->w, kSurfaceWidth);
  const int h = std::min(frame->h, kSurfaceHeight);
  if (w != kSurfaceWidth || h != kSurfaceHeight) {
    SDL_memset(pixels, 0, static_cast<size_t>(pitch) * kSurfaceHeight);
  }
  if (SDL_LockSurface(frame) == 0) {
    SDL_ConvertPixels(w, h, frame->format->format, frame->pixels, frame->pitch,
                      SDL_PIXELFORMAT_ARGB8888, pixels, pitch);
    SDL_UnlockSurface(frame);
  }
  SDL_UnlockTexture(frame_);
  Render();
}

void FramePresenter::Redraw() {
  if (EnsureTextures()) Render();
}

void FramePresenter::DrawLayers(const SDL_Rect* target, SDL_ScaleMode mode) {
  SDL_SetTextureScaleMode(frame_, mode);
  SDL_RenderCopy(renderer_, frame_, nullptr, target);
  if (overlay_ != nullptr) {
    SDL_SetTextureScaleMode(overlay_, mode);
    SDL_RenderCopy(renderer_, overlay_, nullptr, target);
  }
}

bool FramePresenter::EnsureEnlarged(int factor) {
  if (enlarged_ != nullptr && enlargedFactor_ == factor) return true;
  Destroy(enlarged_);
  enlargedFactor_ = 0;
  if (!SDL_RenderTargetSupported(renderer_)) return false;
  enlarged_ = NewTexture(renderer_, SDL_TEXTUREACCESS_TARGET, kSurfaceWidth * factor,
                         kSurfaceHeight * factor, SDL_BLENDMODE_NONE);
  if (enlarged_ == nullptr) return false;
  SDL_SetTextureScaleMode(enlarged_, SDL_ScaleModeLinear);
  enlargedFactor_ = factor;
  return true;
}

void FramePresenter::Render() {
  int outW = 0;
  int outH = 0;
  SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  int sdlW = 0;
  int sdlH = 0;
  SDL_GetWindowSize(window_, &sdlW, &sdlH);
  int realW = 0;
  int realH = 0;
  x11_.Refresh();
  x11_.Size(realW, realH);
  // Only what the window really shows; the rest of SDL's output falls outside it.
  const TRect fit = FitFrameIn(ShownOutput(outW, outH, sdlW, sdlH, realW, realH, rowsUp_));
  const SDL_Rect dst = {fit.Left, fit.Top, fit.Width(), fit.Height()};
  const int factor = SharpScaleFactor(fit);
  const bool exact =
      fit.Width() == kSurfaceWidth * factor && fit.Height() == kSurfaceHeight * factor;
  // A whole-number fit needs sharp pixels only; a shrink needs smoothing only.
  const bool drawable = frame_ != nullptr && fit.Width() > 0;
  const bool twoSteps = drawable && !exact && !software_ && factor > 1 && EnsureEnlarged(factor);
  if (twoSteps) {
    SDL_SetRenderTarget(renderer_, enlarged_);
    DrawLayers(nullptr, SDL_ScaleModeNearest);
  }
  SDL_SetRenderTarget(renderer_, nullptr);
  // Only bars need clearing; an opaque frame over the whole window covers the rest.
  if (!drawable || fit.Width() != outW || fit.Height() != outH) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  if (twoSteps) {
    SDL_RenderCopy(renderer_, enlarged_, nullptr, &dst);
  } else if (drawable) {
    DrawLayers(&dst, exact || software_ ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  }
  SDL_RenderPresent(renderer_);
}

}  // namespace brinecast
