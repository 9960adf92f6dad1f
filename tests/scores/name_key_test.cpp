// Names that a page shows alike have one key: what a ban is matched by.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scores/store/CodePage.h"
#include "scores/store/NameKey.h"

namespace brinecast::scores {
namespace {

struct KeyCase {
  std::string name;
  std::string key;
};

TEST(NameKey, CaseAndSurroundingSpacesAreIgnored) {
  const std::vector<KeyCase> cases = {
      {"evil", "evil"},
      {"EVIL", "evil"},
      {"Evil ", "evil"},
      {" \t eViL\r\n", "evil"},
      {"Big  Fish", "big fish"},
      {"Big \t Fish ", "big fish"},
      {"", ""},
      {"   ", ""},
      {"R2-D2", "r2-d2"},
      // The code page's capitals above ASCII, as the server stores them.
      {CodePageToUtf8("\xC9TOILE"), CodePageToUtf8("\xE9toile")},
      {CodePageToUtf8("\xD7\xF7"), CodePageToUtf8("\xD7\xF7")},  // signs, not letters
      {CodePageToUtf8("\x8A\x8C\x8E\x9F\xDE"), CodePageToUtf8("\x9A\x9C\x9E\xFF\xFE")},
      {CodePageToUtf8("\xA0"
                      "Ann\xA0"),
       "ann"},  // no-break spaces show as spaces
      {"\xff"
       "A",
       "\xff"
       "a"},  // bytes that are no UTF-8 stay
  };
  for (const KeyCase& c : cases) EXPECT_EQ(NameKey(c.name), c.key) << c.name;
}

}  // namespace
}  // namespace brinecast::scores
