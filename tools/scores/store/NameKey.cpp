// Names reach the table from the game's code page, so the letters to fold are ASCII's, Latin-1's
// and the few capitals the code page adds above them.
#include "scores/store/NameKey.h"

#include <utility>

#include "scores/store/CodePage.h"

namespace brinecast::scores {

namespace {

char32_t Lower(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  switch (c) {
    case 0x0152:  // OE
    case 0x0160:  // S caron
    case 0x017D:  // Z caron
      return c + 1;
    case 0x0178:  // Y diaeresis
      return 0xFF;
    default:
      return c;
  }
}

bool Space(char32_t c) {
  return c == U' ' || (c >= U'\t' && c <= U'\r') || c == 0xA0;
}

// The code point of a two- or three-byte sequence at the start of `text`, and its length; a
// length of 0 when the bytes are no such sequence.
std::pair<char32_t, size_t> Decode(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const auto follows = [&](size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
  if ((byte(0) & 0xE0) == 0xC0 && follows(1)) {
    const char32_t c = ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    return {c, c >= 0x80 ? 2 : 0};
  }
  if ((byte(0) & 0xF0) == 0xE0 && follows(1) && follows(2)) {
    const char32_t c = ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    return {c, c >= 0x800 ? 3 : 0};
  }
  return {0, 0};
}

}  // namespace

std::string NameKey(std::string_view name) {
  std::string key;
  bool spaceDue = false;
  while (!name.empty()) {
    const auto first = static_cast<unsigned char>(name.front());
    auto [c, length] = first < 0x80 ? std::pair<char32_t, size_t>{first, 1} : Decode(name);
    if (length == 0) {
      // Not UTF-8: kept, as nothing a page shows.
      if (spaceDue) key.push_back(' ');
      spaceDue = false;
      key.push_back(name.front());
      name.remove_prefix(1);
      continue;
    }
    name.remove_prefix(length);
    if (Space(c)) {
      spaceDue = !key.empty();
      continue;
    }
    if (spaceDue) key.push_back(' ');
    spaceDue = false;
    AppendUtf8(key, Lower(c));
  }
  return key;
}

}  // namespace brinecast::scores
