// Laying out the modal message box: lines broken to width, the panel with its title bar, icon
// and OK button.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/Rect.h"
#include "platform/SurfaceSize.h"
#include "platform/sdl/GameName.h"

namespace brinecast {

// Width in pixels of a line of UTF-8 text in the box's font.
using TextMeasure = std::function<int(const std::string&)>;

struct MessageBoxMetrics {
  int lineHeight = 18;
  int maxTextWidth = 480;
  int padding = 24;
  int gap = 20;  // between the text and the button
  int minPanelWidth = 280;
  int buttonWidth = 100;
  int buttonHeight = 34;
  int titleHeight = 28;   // the caption's bar across the panel's top
  int titlePadding = 10;  // the caption's inset from the bar's left end
  int iconSize = 32;
  int iconGap = 14;  // between the icon and the text
};

struct MessageBoxLayout {
  TRect panel;
  TRect titleBar;       // the panel's top, the caption left in it
  std::string caption;  // as shown: the game's name when none was given, cut to fit
  TRect icon;           // empty when the box has none
  TRect text;           // the first line's top left; lines follow every lineHeight
  TRect okButton;
  std::vector<std::string> lines;
};

namespace boxlayout_detail {

// Splits a word too wide for a line between UTF-8 characters, never inside one.
inline void BreakLongWord(const std::string& word, int maxWidth, const TextMeasure& measure,
                          std::vector<std::string>& lines) {
  std::string piece;
  for (size_t i = 0; i < word.size();) {
    size_t len = 1;
    while (i + len < word.size() && (static_cast<unsigned char>(word[i + len]) & 0xC0) == 0x80) {
      ++len;
    }
    const std::string ch = word.substr(i, len);
    if (!piece.empty() && measure(piece + ch) > maxWidth) {
      lines.push_back(piece);
      piece.clear();
    }
    piece += ch;
    i += len;
  }
  lines.push_back(piece);
}

inline void WrapParagraph(const std::string& paragraph, int maxWidth, const TextMeasure& measure,
                          std::vector<std::string>& lines) {
  std::string line;
  size_t pos = 0;
  bool any = false;
  while (pos <= paragraph.size()) {
    const size_t space = std::min(paragraph.find(' ', pos), paragraph.size());
    const std::string word = paragraph.substr(pos, space - pos);
    pos = space + 1;
    if (word.empty()) continue;
    any = true;
    const std::string joined = line.empty() ? word : line + " " + word;
    if (measure(joined) <= maxWidth) {
      line = joined;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line.clear();
    if (measure(word) <= maxWidth) {
      line = word;
    } else {
      BreakLongWord(word, maxWidth, measure, lines);
      line = lines.back();
      lines.pop_back();
    }
  }
  if (any) lines.push_back(line);
  if (!any) lines.emplace_back();  // an empty line keeps its place
}

}  // namespace boxlayout_detail

// Breaks text into lines no wider than maxWidth: at spaces, at line breaks, and inside
// a word only when the word alone is too wide.
inline std::vector<std::string> WrapText(const std::string& text, int maxWidth,
                                         const TextMeasure& measure) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::string paragraph = text.substr(start, end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
    boxlayout_detail::WrapParagraph(paragraph, maxWidth, measure, lines);
    if (end == text.size()) break;
    start = end + 1;
  }
  return lines;
}

// text cut to fit maxWidth, ending in "..." (which counts in the width).
inline std::string CutWithEllipsis(std::string text, int maxWidth, const TextMeasure& measure) {
  while (!text.empty() && measure(text + "...") > maxWidth) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
      text.pop_back();
    }
    if (!text.empty()) text.pop_back();
  }
  return text + "...";
}

// The panel centred on the surface: a title bar with the caption, the icon left of the
// wrapped text, and a centred OK button below. Text that would not fit on the surface is cut,
// its last shown line ending in "..."; so is a caption wider than a line of text.
// captionMeasure is the caption's font (the text's when empty).
inline MessageBoxLayout LayoutMessageBox(const MessageBoxContent& box, const TextMeasure& measure,
                                         const MessageBoxMetrics& m = {},
                                         const TextMeasure& captionMeasure = {}) {
  MessageBoxLayout out;
  out.lines = WrapText(box.text, m.maxTextWidth, measure);
  const int fixedHeight = m.titleHeight + 2 * m.padding + m.gap + m.buttonHeight;
  const int maxLines = std::max(1, (kSurfaceHeight - 40 - fixedHeight) / m.lineHeight);
  if (static_cast<int>(out.lines.size()) > maxLines) {
    out.lines.resize(maxLines);
    out.lines.back() = CutWithEllipsis(out.lines.back(), m.maxTextWidth, measure);
  }
  const TextMeasure& measureCaption = captionMeasure ? captionMeasure : measure;
  out.caption = box.caption.empty() ? kGameName : box.caption;
  if (measureCaption(out.caption) > m.maxTextWidth) {
    out.caption = CutWithEllipsis(out.caption, m.maxTextWidth, measureCaption);
  }
  int textWidth = 0;
  for (const std::string& line : out.lines) textWidth = std::max(textWidth, measure(line));
  const int textHeight = static_cast<int>(out.lines.size()) * m.lineHeight;
  const bool icon = box.icon != BoxIcon::None;
  const int iconWidth = icon ? m.iconSize + m.iconGap : 0;
  const int contentHeight = std::max(textHeight, icon ? m.iconSize : 0);
  const int blockWidth = iconWidth + textWidth;
  const int width =
      std::max({m.minPanelWidth, blockWidth + 2 * m.padding, m.buttonWidth + 2 * m.padding,
                measureCaption(out.caption) + 2 * m.titlePadding});
  const int height = contentHeight + fixedHeight;
  const int left = (kSurfaceWidth - width) / 2;
  const int top = (kSurfaceHeight - height) / 2;
  out.panel = TRect{left, top, left + width, top + height};
  out.titleBar = TRect{left, top, left + width, top + m.titleHeight};
  const int contentTop = top + m.titleHeight + m.padding;
  const int blockLeft = left + (width - blockWidth) / 2;
  if (icon) {
    const int iconTop = contentTop + (contentHeight - m.iconSize) / 2;
    out.icon = TRect{blockLeft, iconTop, blockLeft + m.iconSize, iconTop + m.iconSize};
  }
  const int textLeft = blockLeft + iconWidth;
  const int textTop = contentTop + (contentHeight - textHeight) / 2;
  out.text = TRect{textLeft, textTop, textLeft + textWidth, textTop + textHeight};
  const int buttonLeft = left + (width - m.buttonWidth) / 2;
  const int buttonTop = top + height - m.padding - m.buttonHeight;
  out.okButton =
      TRect{buttonLeft, buttonTop, buttonLeft + m.buttonWidth, buttonTop + m.buttonHeight};
  return out;
}

}  // namespace brinecast
