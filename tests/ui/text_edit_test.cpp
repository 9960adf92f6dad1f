// The typing rule of names and the options text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "storage/TypingRule.h"
#include "ui/TextEdit.h"

namespace brinecast {
namespace {

struct TypingCase {
  const char* what;
  std::string before;
  int key;
  bool typed;
  std::string after;
};

TEST(TextEdit, TypingRule) {
  const TypingCase cases[] = {
      {"first letter is the key's code", "", 'A', true, "A"},
      {"later letters are lower case", "A", 'B', true, "Ab"},
      {"lowest typing key", "", 65, true, "A"},
      {"keypad key first", "", 96, true, std::string(1, '\x60')},
      {"keypad key later", "A", 96, true, "A\x80"},
      {"highest typing key later", "A", 100, true, "A\x84"},
      {"highest typing key first", "", 100, true, "d"},
      {"just below the range", "", 64, false, ""},
      {"just above the range", "A", 101, false, "A"},
      {"digit", "A", '5', false, "A"},
      {"space", "A", ' ', false, "A"},
      {"backspace code", "A", 8, false, "A"},
      {"negative code", "", -1, false, ""},
      {"eleven letters take a twelfth", "Abcdefghijk", 'L', true, "Abcdefghijkl"},
      {"a twelfth letter is the last", "Abcdefghijkl", 'M', true, "Abcdefghijkl"},
  };
  for (const TypingCase& c : cases) {
    std::string text = c.before;
    EXPECT_EQ(TypeKey(text, c.key), c.typed) << c.what;
    EXPECT_EQ(text, c.after) << c.what;
  }
}

TEST(TextEdit, EraseDropsTheLastCharacterAndNothingOnEmpty) {
  std::string text = "Ab";
  EraseLast(text);
  EXPECT_EQ(text, "A");
  EraseLast(text);
  EXPECT_EQ(text, "");
  EraseLast(text);
  EXPECT_EQ(text, "");
}

TEST(TextEdit, ALetterAfterErasingToNothingIsACapitalAgain) {
  std::string text;
  for (int key : {'J', 'O'}) TypeKey(text, key);
  EXPECT_EQ(text, "Jo");
  EraseLast(text);
  EraseLast(text);
  TypeKey(text, 'O');
  EXPECT_EQ(text, "O");
}

// Whether some keys, typed one after another, give exactly this text.
bool CouldBeTyped(const std::string& text) {
  std::string typed;
  for (const char c : text) {
    bool found = false;
    for (int key = 0; key < 256 && !found; ++key) {
      std::string next = typed;
      found = TypeKey(next, key) && next.size() == typed.size() + 1 && next.back() == c;
      if (found) typed = next;
    }
    if (!found) return false;
  }
  return typed == text;
}

// What the score server takes: no control characters, DEL included.
bool ServerTakes(const std::string& text) {
  return std::none_of(text.begin(), text.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7f'; });
}

TEST(TextEdit, CleaningAStoredTextKeepsWhatWasTypedAndGivesOnlyWhatCouldBe) {
  // Every text of up to three keys comes back as typed, but for DEL.
  for (int a = 0; a <= 256; ++a) {
    for (int b = kFirstTypingKey - 1; b <= kLastTypingKey + 1; ++b) {
      for (int c = kFirstTypingKey - 1; c <= kLastTypingKey + 1; ++c) {
        std::string text;
        for (int key : {a, b, c}) TypeKey(text, key);
        std::string withoutDel = text;
        std::erase(withoutDel, '\x7f');
        ASSERT_EQ(CleanTypedText(text), withoutDel) << a << " " << b << " " << c;
      }
    }
  }
  // Any byte, first or later, cleans to something typed that the server takes.
  for (const std::string before : {"", "A", "Abcdefghijk", "Abcdefghijkl"}) {
    for (int byte = 0; byte < 256; ++byte) {
      const std::string stored = before + static_cast<char>(byte) + "_z";
      const std::string clean = CleanTypedText(stored);
      EXPECT_TRUE(CouldBeTyped(clean)) << before << " " << byte;
      EXPECT_TRUE(ServerTakes(clean)) << before << " " << byte;
      EXPECT_LE(clean.size(), 12u) << before << " " << byte;
      EXPECT_EQ(clean.substr(0, before.size()), before) << byte;
    }
  }
}

}  // namespace
}  // namespace brinecast
