// Drawing the information icon: shapes sampled several times a pixel so its edges are smooth.
#include "platform/sdl/InformationIcon.h"

#include <algorithm>

namespace brinecast {

namespace {

constexpr int kSamples = 4;  // per axis and pixel
constexpr uint32_t kRing = 0xFF1B5884;
constexpr uint32_t kTop = 0xFF5AA8DE;  // the disc lightens upwards, as lit from above
constexpr uint32_t kBottom = 0xFF2468A0;
constexpr uint32_t kGlyph = 0xFFFFFFFF;

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const double ca = (a >> shift) & 0xFF;
    const double cb = (b >> shift) & 0xFF;
    out |= static_cast<uint32_t>(ca + (cb - ca) * t + 0.5) << shift;
  }
  return out;
}

bool Inside(double u, double v, double l, double t, double r, double b) {
  return u >= l && u < r && v >= t && v < b;
}

// The colour at a point of the unit square, 0 where the icon is not.
uint32_t Sample(double u, double v) {
  const double du = u - 0.5;
  const double dv = v - 0.5;
  const double d2 = du * du + dv * dv;
  if (d2 > 0.48 * 0.48) return 0;
  if (d2 > 0.43 * 0.43) return kRing;
  const double dotU = u - 0.5;
  const double dotV = v - 0.285;
  const bool dot = dotU * dotU + dotV * dotV <= 0.075 * 0.075;
  const bool stem = Inside(u, v, 0.44, 0.41, 0.56, 0.76);
  const bool flag = Inside(u, v, 0.38, 0.41, 0.56, 0.46);
  const bool foot = Inside(u, v, 0.37, 0.72, 0.63, 0.78);
  if (dot || stem || flag || foot) return kGlyph;
  return Mix(kTop, kBottom, std::clamp((v - 0.07) / 0.86, 0.0, 1.0));
}

}  // namespace

uint32_t InformationIconPixel(int x, int y, int size) {
  if (size <= 0) return 0;
  // Summed premultiplied, so transparent samples do not darken the edge.
  double a = 0;
  double r = 0;
  double g = 0;
  double b = 0;
  for (int sy = 0; sy < kSamples; ++sy) {
    for (int sx = 0; sx < kSamples; ++sx) {
      const double u = (x + (sx + 0.5) / kSamples) / size;
      const double v = (y + (sy + 0.5) / kSamples) / size;
      const uint32_t c = Sample(u, v);
      const double ca = (c >> 24) / 255.0;
      a += ca;
      r += ca * ((c >> 16) & 0xFF);
      g += ca * ((c >> 8) & 0xFF);
      b += ca * (c & 0xFF);
    }
  }
  if (a <= 0) return 0;
  const auto channel = [&](double sum) { return static_cast<uint32_t>(sum / a + 0.5); };
  const auto alpha = static_cast<uint32_t>(a * 255.0 / (kSamples * kSamples) + 0.5);
  return alpha << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
}

void DrawInformationIcon(SDL_Surface* surface, const TRect& r) {
  if (surface == nullptr || surface->format->format != SDL_PIXELFORMAT_ARGB8888) return;
  const int size = std::min(r.Width(), r.Height());
  if (SDL_LockSurface(surface) != 0) return;
  for (int y = 0; y < size; ++y) {
    const int py = r.Top + y;
    if (py < 0 || py >= surface->h) continue;
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                            static_cast<ptrdiff_t>(py) * surface->pitch);
    for (int x = 0; x < size; ++x) {
      const int px = r.Left + x;
      if (px < 0 || px >= surface->w) continue;
      const uint32_t icon = InformationIconPixel(x, y, size);
      const uint32_t over = Mix(row[px], icon | 0xFF000000, (icon >> 24) / 255.0);
      // The icon's coverage also adds to whatever alpha the surface had there.
      const uint32_t alpha = std::max(row[px] >> 24, icon >> 24);
      row[px] = (over & 0x00FFFFFF) | alpha << 24;
    }
  }
  SDL_UnlockSurface(surface);
}

}  // namespace brinecast
