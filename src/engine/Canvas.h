// The canvas of the drawing surface: font, colours and brush, text output and outlined
// rectangles, as the game's HUD uses them.
#pragma once

#include <SDL_surface.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/FontTextCache.h"

namespace brinecast {

class TFontLibrary;

// A colour in the game's layout 0x00BBGGRR.
constexpr uint32_t RGB(uint8_t r, uint8_t g, uint8_t b) {
  return uint32_t{r} | uint32_t{g} << 8 | uint32_t{b} << 16;
}

struct TFont {
  std::string Name = "Arial";
  int Size = 10;  // points at 96 dpi
  bool Bold = false;
  uint32_t Color = RGB(0, 0, 0);
};

enum class TPenStyle { psSolid, psClear };
struct TPen {
  uint32_t Color = RGB(0, 0, 0);
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
};

// Text always goes out with a transparent background; a solid brush only fills the
// interior of a rectangle.
enum class TBrushStyle { bsClear, bsSolid };
struct TBrush {
  uint32_t Color = RGB(255, 255, 255);
  TBrushStyle Style = TBrushStyle::bsClear;
};

// Text and outlines on a 32-bit ARGB surface. Font, pen and brush persist between calls
// and frames. The surface can be swapped (the display rebuilds it on a mode switch);
// without one, drawing does nothing.
class TCanvas {
 public:
  TCanvas();  // with a font library of its own
  explicit TCanvas(std::shared_ptr<TFontLibrary> fonts, SDL_Surface* surface = nullptr);

  void SetSurface(SDL_Surface* surface) { surface_ = surface; }
  SDL_Surface* Surface() const { return surface_; }

  // `text` is single-byte (Latin-1) characters; (x, y) is the top-left of its first cell.
  void TextOut(int x, int y, std::string_view text);
  int TextWidth(std::string_view text);
  int TextHeight(std::string_view text);

  // An outline from (left, top) to (right, bottom), right and bottom excluded, the pen
  // centred on the edge.
  void Rectangle(int left, int top, int right, int bottom);

  const TFontTextCache& TextCache() const { return cache_; }

  TFont Font;
  TPen Pen;
  TBrush Brush;

 private:
  struct Size {
    int w = 0;
    int h = 0;
  };
  Size Measure(std::string_view text);
  TTF_Font* CurrentFont();

  std::shared_ptr<TFontLibrary> fonts_;
  SDL_Surface* surface_ = nullptr;
  TFontTextCache cache_;
  // The font last opened and what it was opened for, so a run of texts in one font
  // looks it up once.
  TFont opened_;
  TTF_Font* openedFont_ = nullptr;
};

// Latin-1 bytes as UTF-8.
std::string Latin1ToUtf8(std::string_view text);

}  // namespace brinecast
