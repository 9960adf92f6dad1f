// Loading the pack command's source pictures: SVGs through the rasteriser, PNGs through
// the image loader.
#include "SourceImage.h"

#include <SDL2/SDL_image.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "ImageReferences.h"

namespace brinecast {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read \"" + path + "\"");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool EndsWith(const std::string& text, const std::string& tail) {
  if (text.size() < tail.size()) return false;
  return std::equal(tail.rbegin(), tail.rend(), text.rbegin(), [](char a, char b) {
    return a == std::tolower(static_cast<unsigned char>(b));
  });
}

[[noreturn]] void TooLarge(const std::string& path, double w, double h) {
  char size[96];
  std::snprintf(size, sizeof size, "%.0f x %.0f", std::ceil(w), std::ceil(h));
  throw std::runtime_error("\"" + path + "\": " + size + " pixels is larger than " +
                           std::to_string(kMaxPictureSide) + " pixels a side");
}

uint32_t Unpremultiply(uint32_t p) {
  const uint32_t a = p >> 24;
  if (a == 0) return 0;
  auto channel = [&](int shift) {
    const uint32_t c = (p >> shift) & 0xFF;
    return std::min<uint32_t>((c * 255 + a / 2) / a, 255) << shift;
  };
  return (a << 24) | channel(16) | channel(8) | channel(0);
}

SourceImage LoadSvg(const std::string& path, const std::string& referenceRoot) {
  const std::string data = InlineImageReferences(ReadFile(path), path, referenceRoot);
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(data.data()), data.size(), &error);
  if (!handle) {
    std::string reason = error ? error->message : "not an SVG";
    if (error) g_error_free(error);
    throw std::runtime_error("\"" + path + "\": " + reason);
  }
  std::unique_ptr<RsvgHandle, void (*)(gpointer)> owner(handle, g_object_unref);
  double w = 0, h = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &w, &h) || w < 1 || h < 1)
    throw std::runtime_error("\"" + path + "\": the root needs a width and height in px");
  if (w > kMaxPictureSide || h > kMaxPictureSide) TooLarge(path, w, h);
  SourceImage image;
  image.width = static_cast<int>(std::ceil(w));
  image.height = static_cast<int>(std::ceil(h));
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
  cairo_t* cr = cairo_create(surface);
  const RsvgRectangle viewport{0, 0, w, h};
  const bool drawn = rsvg_handle_render_document(handle, cr, &viewport, &error);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  std::string reason = (!drawn && error) ? error->message : "";
  if (error) g_error_free(error);
  if (drawn && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
    const uint8_t* rows = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
      const auto* row =
          reinterpret_cast<const uint32_t*>(rows + static_cast<ptrdiff_t>(y) * stride);
      std::transform(row, row + image.width,
                     image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width, Unpremultiply);
    }
  }
  cairo_surface_destroy(surface);
  if (image.pixels.empty()) throw std::runtime_error("\"" + path + "\": cannot render. " + reason);
  return image;
}

SourceImage LoadPng(const std::string& path) {
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) throw std::runtime_error("\"" + path + "\": " + IMG_GetError());
  if (loaded->w > kMaxPictureSide || loaded->h > kMaxPictureSide) {
    const int w = loaded->w, h = loaded->h;
    SDL_FreeSurface(loaded);
    TooLarge(path, w, h);
  }
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!argb) throw std::runtime_error("\"" + path + "\": " + SDL_GetError());
  SourceImage image;
  image.width = argb->w;
  image.height = argb->h;
  image.pixels.resize(static_cast<size_t>(argb->w) * static_cast<size_t>(argb->h));
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                        y * argb->pitch);
    std::copy(row, row + argb->w, image.pixels.begin() + static_cast<ptrdiff_t>(y) * argb->w);
  }
  SDL_FreeSurface(argb);
  return image;
}

}  // namespace

SourceImage LoadSourceImage(const std::string& path, const std::string& referenceRoot) {
  if (EndsWith(path, ".svg")) return LoadSvg(path, referenceRoot);
  if (EndsWith(path, ".png")) return LoadPng(path);
  throw std::runtime_error("\"" + path + "\": only .svg and .png sources are packed");
}

void LoadFontAliases(const std::string& fontsConf) {
  FcConfigParseAndLoad(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(fontsConf.c_str()),
                       FcTrue);
}

}  // namespace brinecast
