// Tests of the server's reading of names and notes: single bytes of the game's code page
// become their characters in UTF-8.
#include <gtest/gtest.h>

#include "scores/store/CodePage.h"

namespace brinecast::scores {
namespace {

struct CodePageCase {
  const char* bytes;
  const char* utf8;
};

TEST(CodePageToUtf8, WesternBytesBecomeTheirCharacters) {
  const CodePageCase cases[] = {
      {"Ann", "Ann"},           {"\xe9t\xe9", "\xc3\xa9t\xc3\xa9"},  // é
      {"\x80", "\xe2\x82\xac"},                                      // euro sign
      {"\x81", "\xef\xbf\xbd"},                                      // a hole in the table
      {"\xff", "\xc3\xbf"},                                          // ÿ
      {"\x9f", "\xc5\xb8"},                                          // Ÿ
  };
  for (const CodePageCase& c : cases) EXPECT_EQ(CodePageToUtf8(c.bytes), c.utf8) << c.bytes;
}

}  // namespace
}  // namespace brinecast::scores
