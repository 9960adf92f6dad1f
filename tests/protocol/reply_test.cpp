// Tests of the check reply: the server's building of it and the game's reading of it.
#include "protocol/Reply.h"

#include <gtest/gtest.h>

namespace brinecast::protocol {
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

TEST(ReplyToken, IsTheFifthPieceWhenFiveBarsArePresent) {
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
  for (const PCase& c : cases) EXPECT_EQ(ReplyToken(c.reply), c.p) << '"' << c.reply << '"';
}

TEST(CheckReply, TheShapeTheGameReads) {
  EXPECT_EQ(CheckReply("1.0", "A1b2C3"), "OK|1.0|||A1b2C3|");
  EXPECT_EQ(kOk, "OK");
  const char* tokens[] = {"A1b2C3", "x", ""};
  for (const char* token : tokens) {
    const std::string reply = CheckReply("2.5", token);
    EXPECT_TRUE(ReplyIsOk(reply)) << reply;
    EXPECT_EQ(ReplyToken(reply), token) << reply;
  }
}

}  // namespace
}  // namespace brinecast::protocol
