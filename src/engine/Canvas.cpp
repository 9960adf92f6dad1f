// Text and outlined rectangles drawn on the back surface through the canvas.
#include "engine/Canvas.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <utility>

#include "engine/FontLibrary.h"

namespace brinecast {

namespace {

void FillRect(SDL_Surface* surface, int x, int y, int w, int h, uint32_t rgb) {
  if (w <= 0 || h <= 0) return;
  SDL_Rect rect{x, y, w, h};
  SDL_FillRect(surface, &rect,
               SDL_MapRGB(surface->format, rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
}

}  // namespace

std::string Latin1ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (unsigned char c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

TCanvas::TCanvas() : TCanvas(std::make_shared<TFontLibrary>()) {}

TCanvas::TCanvas(std::shared_ptr<TFontLibrary> fonts, SDL_Surface* surface)
    : fonts_(std::move(fonts)), surface_(surface) {}

TTF_Font* TCanvas::CurrentFont() {
  if (!openedFont_ || Font.Name != opened_.Name || Font.Size != opened_.Size ||
      Font.Bold != opened_.Bold) {
    openedFont_ = fonts_->Open(Font.Name, std::max(Font.Size, 1), Font.Bold);
    opened_ = Font;
  }
  return openedFont_;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  if (!surface_) return;
  SDL_Surface* image = cache_.Get(CurrentFont(), Font.Color, Latin1ToUtf8(text));
  if (!image) return;
  SDL_Rect at{x, y, image->w, image->h};
  SDL_BlitSurface(image, nullptr, surface_, &at);
}

TCanvas::Size TCanvas::Measure(std::string_view text) {
  Size size;
  if (TTF_SizeUTF8(CurrentFont(), Latin1ToUtf8(text).c_str(), &size.w, &size.h) != 0) return {};
  return size;
}

int TCanvas::TextWidth(std::string_view text) {
  return Measure(text).w;
}
int TCanvas::TextHeight(std::string_view text) {
  return Measure(text).h;
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (!surface_) return;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (right - left < 1 || bottom - top < 1) return;

  if (Brush.Style == TBrushStyle::bsSolid) {
    FillRect(surface_, left, top, right - left, bottom - top, Brush.Color);
  }
  if (Pen.Style == TPenStyle::psClear) return;

  // Each edge line runs through the outermost pixels of [left, right) x [top, bottom);
  // a wide pen grows to both sides of it.
  int w = std::max(Pen.Width, 1);
  int before = w / 2;
  int x0 = left - before, x1 = right - 1 - before;  // first column of the left, right lines
  int y0 = top - before, y1 = bottom - 1 - before;
  int outerW = x1 + w - x0;
  FillRect(surface_, x0, y0, outerW, w, Pen.Color);
  FillRect(surface_, x0, y1, outerW, w, Pen.Color);
  FillRect(surface_, x0, y0 + w, w, y1 - y0 - w, Pen.Color);
  FillRect(surface_, x1, y0 + w, w, y1 - y0 - w, Pen.Color);
}

}  // namespace brinecast
