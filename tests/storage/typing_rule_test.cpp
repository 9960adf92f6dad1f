// A stored text cleaned to what the typing rule could have typed.
#include <gtest/gtest.h>

#include <string>

#include "storage/TypingRule.h"

namespace brinecast {
namespace {

struct CleanCase {
  const char* what;
  std::string stored;
  std::string clean;
};

TEST(TypingRule, StoredTextsAreCleanedToWhatTheRuleCouldHaveTyped) {
  using namespace std::string_literals;
  const CleanCase cases[] = {
      {"a typed name is kept", "Anonymous", "Anonymous"},
      {"empty stays empty", "", ""},
      {"a to d may come first", "dab", "dab"},
      {"the keypad's characters are kept", "`\x80\x84", "`\x80\x84"},
      {"the first character's whole range is kept", "_\x7e", "_\x7e"},
      {"twelve typed characters are kept", "Abcdefghijkl", "Abcdefghijkl"},
      {"control bytes are dropped", "\x01"s + "A\0nn\x1f"s, "Ann"},
      {"nothing but zero bytes reads as empty", std::string(12, '\0'), ""},
      {"a lower-case first letter is typed as its capital", "zed", "Zed"},
      {"later capitals are typed as lower case", "ANNA", "Anna"},
      {"spaces, digits and signs are dropped", "Mary Ann 2!", "Maryann"},
      {"bytes no key types are dropped", "Anonymous\xb8\xbf\xc6", "Anonymous"},
      {"a dropped first byte leaves the next one first", "\x01zed", "Zed"},
      {"a capital first again after dropped bytes",
       "\xff\xfe"
       "Bo",
       "Bo"},
      {"DEL, which the server refuses, is not made of an underscore", "A_b", "Ab"},
      {"the server's refused DEL is dropped",
       "A\x7f"
       "b",
       "Ab"},
      {"at most twelve are kept", "Abcdefghijklmnop", "Abcdefghijkl"},
      {"the limit counts what is kept",
       "A\x01\x02\x03"
       "bcdefghijklmn",
       "Abcdefghijkl"},
  };
  for (const CleanCase& c : cases) {
    EXPECT_EQ(CleanTypedText(c.stored), c.clean) << c.what;
    EXPECT_EQ(CleanTypedText(c.clean), c.clean) << c.what << " (cleaned again)";
  }
}

}  // namespace
}  // namespace brinecast
