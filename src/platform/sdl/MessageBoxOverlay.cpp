// Drawing the modal message box (dimmed frame, panel with caption and icon, wrapped text, OK
// button) in its own fonts.
#include "platform/sdl/MessageBoxOverlay.h"

#include <SDL_ttf.h>

#include <cstdio>

#include "platform/sdl/FontLookup.h"
#include "platform/sdl/InformationIcon.h"

namespace brinecast {

namespace {

constexpr int kFontPoints = 12;
constexpr Uint32 kDim = 0x78000000;
constexpr Uint32 kShadow = 0xB0000000;
constexpr Uint32 kBorder = 0xFF23425E;
constexpr Uint32 kPanel = 0xFFF4F6F8;
constexpr Uint32 kAccent = 0xFF2E7DB5;
constexpr Uint32 kButtonEdge = 0xFF1B5884;
constexpr SDL_Color kInk = {0x1E, 0x26, 0x30, 0xFF};
constexpr SDL_Color kLabel = {0xFF, 0xFF, 0xFF, 0xFF};

TTF_Font* OpenFace(const std::string& pattern) {
  const std::string file = FindFontFile(pattern);
  return file.empty() ? nullptr : TTF_OpenFontDPI(file.c_str(), kFontPoints, 96, 96);
}

void Fill(SDL_Surface* surface, const TRect& r, Uint32 argb) {
  const SDL_Rect rect = {r.Left, r.Top, r.Width(), r.Height()};
  SDL_FillRect(surface, &rect, argb);
}

// A filled rectangle inside a one-pixel frame.
void Framed(SDL_Surface* surface, const TRect& r, Uint32 edge, Uint32 inside) {
  Fill(surface, r, edge);
  Fill(surface, TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, inside);
}

}  // namespace

MessageBoxOverlay::MessageBoxOverlay() {
  ttfStarted_ = TTF_Init() == 0;
  if (ttfStarted_) {
    font_ = OpenFace("Liberation Sans");
    boldFont_ = OpenFace("Liberation Sans:bold");
  }
  if (font_ == nullptr) std::fprintf(stderr, "Brinecast: no font for message boxes\n");
}

MessageBoxOverlay::~MessageBoxOverlay() {
  if (picture_ != nullptr) SDL_FreeSurface(picture_);
  if (boldFont_ != nullptr) TTF_CloseFont(boldFont_);
  if (font_ != nullptr) TTF_CloseFont(font_);
  if (ttfStarted_) TTF_Quit();
}

int MessageBoxOverlay::Measure(TTF_Font* font, const std::string& line) {
  int w = 0;
  int h = 0;
  // Without a font the box keeps a sensible size; the text also went to stderr.
  if (font == nullptr || TTF_SizeUTF8(font, line.c_str(), &w, &h) != 0) {
    return static_cast<int>(line.size()) * 8;
  }
  return w;
}

void MessageBoxOverlay::Set(const std::optional<MessageBoxContent>& box) {
  if (picture_ != nullptr) SDL_FreeSurface(picture_);
  picture_ = nullptr;
  layout_ = {};
  if (!box) return;
  if (font_ == nullptr) std::fprintf(stderr, "Brinecast: %s\n", box->text.c_str());
  MessageBoxMetrics metrics;
  if (font_ != nullptr) metrics.lineHeight = TTF_FontLineSkip(font_);
  TTF_Font* captionFont = CaptionFont();
  if (captionFont != nullptr) metrics.titleHeight = TTF_FontLineSkip(captionFont) + 10;
  layout_ = LayoutMessageBox(
      *box, [this](const std::string& line) { return Measure(font_, line); }, metrics,
      [captionFont](const std::string& line) { return Measure(captionFont, line); });
  icon_ = box->icon;
  picture_ = SDL_CreateRGBSurfaceWithFormat(0, kSurfaceWidth, kSurfaceHeight, 32,
                                            SDL_PIXELFORMAT_ARGB8888);
  if (picture_ != nullptr) Draw(layout_);
}

void MessageBoxOverlay::DrawText(TTF_Font* font, const std::string& text, int x, int y,
                                 SDL_Color colour) {
  if (font == nullptr || text.empty()) return;
  SDL_Surface* glyphs = TTF_RenderUTF8_Blended(font, text.c_str(), colour);
  if (glyphs == nullptr) return;
  SDL_SetSurfaceBlendMode(glyphs, SDL_BLENDMODE_BLEND);
  SDL_Rect at = {x, y, glyphs->w, glyphs->h};
  SDL_BlitSurface(glyphs, nullptr, picture_, &at);
  SDL_FreeSurface(glyphs);
}

void MessageBoxOverlay::Draw(const MessageBoxLayout& layout) {
  SDL_FillRect(picture_, nullptr, kDim);
  const TRect& p = layout.panel;
  Fill(picture_, TRect{p.Left + 4, p.Top + 5, p.Right + 4, p.Bottom + 5}, kShadow);
  Framed(picture_, p, kBorder, kPanel);
  const TRect& bar = layout.titleBar;
  Fill(picture_, bar, kBorder);
  Fill(picture_, TRect{bar.Left + 1, bar.Bottom, bar.Right - 1, bar.Bottom + 3}, kAccent);
  TTF_Font* captionFont = CaptionFont();
  int captionW = 0;
  int captionH = 0;
  if (captionFont != nullptr &&
      TTF_SizeUTF8(captionFont, layout.caption.c_str(), &captionW, &captionH) == 0) {
    DrawText(captionFont, layout.caption, bar.Left + MessageBoxMetrics{}.titlePadding,
             bar.Top + (bar.Height() - captionH) / 2, kLabel);
  }
  if (icon_ == BoxIcon::Information) DrawInformationIcon(picture_, layout.icon);
  int y = layout.text.Top;
  const int lineHeight =
      font_ != nullptr ? TTF_FontLineSkip(font_) : MessageBoxMetrics{}.lineHeight;
  for (const std::string& line : layout.lines) {
    DrawText(font_, line, layout.text.Left, y, kInk);
    y += lineHeight;
  }
  const TRect& b = layout.okButton;
  Framed(picture_, b, kButtonEdge, kAccent);
  int w = 0;
  int h = 0;
  if (captionFont != nullptr && TTF_SizeUTF8(captionFont, "OK", &w, &h) == 0) {
    DrawText(captionFont, "OK", b.Left + (b.Width() - w) / 2, b.Top + (b.Height() - h) / 2, kLabel);
  }
}

bool MessageBoxOverlay::OkHit(int x, int y) const {
  return layout_.okButton.Contains(x, y);  // an empty rectangle while closed
}

}  // namespace brinecast
