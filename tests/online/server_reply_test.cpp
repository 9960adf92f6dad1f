// Tests of reading the score server's replies as the game reads them.
#include <gtest/gtest.h>

#include "online/ServerReply.h"

namespace brinecast {
namespace {

struct OkCase {
  const char* reply;
  bool ok;
};

TEST(ReplyIsOk, OnlyACapitalOkAtTheStart) {
  const OkCase cases[] = {
      {"OK", true},   {"OK|1.0|||abc|", true},
      {"OKAY", true}, {"ok", false},
      {"Ok", false},  {"oK|", false},
      {"O", false},   {"", false},
      {" OK", false}, {"K", false},
  };
  for (const OkCase& c : cases) EXPECT_EQ(ReplyIsOk(c.reply), c.ok) << '"' << c.reply << '"';
}

struct PCase {
  const char* reply;
  const char* p;
};

TEST(ReplyP, IsTheFifthPieceWhenFiveBarsArePresent) {
  const PCase cases[] = {
      {"OK", ""},                      // no bar at all
      {"OK|", ""},                     // one
      {"OK|a|", ""},                   // two
      {"OK|a|b|", ""},                 // three
      {"OK|a|b|c|tok", ""},            // four: the fifth piece is not closed
      {"OK|a|b|c|tok|", "tok"},        // five
      {"OK|a|b|c|tok|more", "tok"},    // five, text after
      {"OK|a|b|c|tok|six|", "tok"},    // six
      {"OK|1.0|||", ""},               // four, empty pieces
      {"OK|1.0||||", ""},              // five, empty p
      {"OK|1.0|||A1b2C3|", "A1b2C3"},  // the shape our server answers
  };
  for (const PCase& c : cases) EXPECT_EQ(ReplyP(c.reply), c.p) << '"' << c.reply << '"';
}

}  // namespace
}  // namespace brinecast
