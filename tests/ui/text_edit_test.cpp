// The typing rule of names and the options text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace brinecast
