// What every text drawn over the sprites uses: the palette, setting a font, printf-style
// formatting and the caret of a text being typed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/Canvas.h"
#include "engine/Color.h"

namespace brinecast {

inline constexpr uint32_t kGold = RGB(255, 210, 0);
inline constexpr uint32_t kWhite = RGB(255, 255, 255);
inline constexpr uint32_t kBlack = RGB(0, 0, 0);

inline void SetFont(TCanvas& canvas, const char* name, int size, bool bold, uint32_t color) {
  canvas.Font.Name = name;
  canvas.Font.Size = size;
  canvas.Font.Bold = bold;
  canvas.Font.Color = color;
}

template <class... Args>
std::string Format(const char* format, Args... args) {
  char text[64];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// A typed text with its caret, cut as the field shows it.
inline std::string WithCaret(const std::string& text) {
  return (text + "|").substr(0, 13);
}

}  // namespace brinecast
