// The typing rule of names and the options text: which keys type, which character each
// gives, and a stored text cleaned to what the rule could have typed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brinecast {

inline constexpr int kFirstTypingKey = 65;
inline constexpr int kLastTypingKey = 100;
inline constexpr size_t kMaxTypedLength = 12;
// Keys after the first character type their code plus this (capital, then lower case).
inline constexpr int kLaterOffset = 32;

constexpr bool IsTypingKey(int key) {
  return key >= kFirstTypingKey && key <= kLastTypingKey;
}

// The character a typing key appends, as a text's first character or a later one.
constexpr char TypedChar(int key, bool first) {
  return static_cast<char>(static_cast<unsigned char>(first ? key : key + kLaterOffset));
}

// The typing key that gives c in that place, or 0 when no key does.
constexpr int KeyTyping(char c, bool first) {
  const int key = static_cast<unsigned char>(c) - (first ? 0 : kLaterOffset);
  return IsTypingKey(key) ? key : 0;
}

// A text read from a file (perhaps damaged) as the rule could have typed it: a
// character no key gives in its place is typed by the key that gives it in the
// other place (a capital after the first becomes lower case, and the reverse),
// anything else is dropped; at most kMaxTypedLength characters. A text the rule
// could have typed comes back unchanged, but for DEL: only key 95, which no
// keyboard here sends, types it, and the score server refuses it.
inline std::string CleanTypedText(std::string_view text) {
  std::string clean;
  for (const char c : text) {
    if (clean.size() >= kMaxTypedLength) break;
    const bool first = clean.empty();
    int key = KeyTyping(c, first);
    if (key == 0) key = KeyTyping(c, !first);
    if (key != 0 && TypedChar(key, first) != '\x7f') clean.push_back(TypedChar(key, first));
  }
  return clean;
}

}  // namespace brinecast
