// Laying out the modal message box: lines broken to width, the panel and its OK button.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/Rect.h"
#include "platform/SurfaceSize.h"

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
};

struct MessageBoxLayout {
  TRect panel;
  TRect text;  // the first line's top left; lines follow every lineHeight
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

// The panel centred on the surface with the wrapped text above a centred OK button.
// Text that would not fit on the surface is cut, its last shown line ending in "...".
inline MessageBoxLayout LayoutMessageBox(const std::string& text, const TextMeasure& measure,
                                         const MessageBoxMetrics& m = {}) {
  MessageBoxLayout out;
  out.lines = WrapText(text, m.maxTextWidth, measure);
  const int fixedHeight = 2 * m.padding + m.gap + m.buttonHeight;
  const int maxLines = std::max(1, (kSurfaceHeight - 40 - fixedHeight) / m.lineHeight);
  if (static_cast<int>(out.lines.size()) > maxLines) {
    out.lines.resize(maxLines);
    std::string& last = out.lines.back();
    while (!last.empty() && measure(last + "...") > m.maxTextWidth) {
      while (!last.empty() && (static_cast<unsigned char>(last.back()) & 0xC0) == 0x80) {
        last.pop_back();
      }
      if (!last.empty()) last.pop_back();
    }
    last += "...";
  }
  int textWidth = 0;
  for (const std::string& line : out.lines) textWidth = std::max(textWidth, measure(line));
  const int textHeight = static_cast<int>(out.lines.size()) * m.lineHeight;
  const int width =
      std::max({m.minPanelWidth, textWidth + 2 * m.padding, m.buttonWidth + 2 * m.padding});
  const int height = textHeight + fixedHeight;
  const int left = (kSurfaceWidth - width) / 2;
  const int top = (kSurfaceHeight - height) / 2;
  out.panel = TRect{left, top, left + width, top + height};
  const int textLeft = left + (width - textWidth) / 2;
  const int textTop = top + m.padding;
  out.text = TRect{textLeft, textTop, textLeft + textWidth, textTop + textHeight};
  const int buttonLeft = left + (width - m.buttonWidth) / 2;
  const int buttonTop = top + height - m.padding - m.buttonHeight;
  out.okButton =
      TRect{buttonLeft, buttonTop, buttonLeft + m.buttonWidth, buttonTop + m.buttonHeight};
  return out;
}

}  // namespace brinecast
