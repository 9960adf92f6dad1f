// Tests of the score server's reading of a submission: decoding, fields, padding and the
// code page of names.
#include <gtest/gtest.h>

#include <string>

#include "online/Submission.h"
#include "scores/CodePage.h"
#include "scores/PayloadDecoder.h"

namespace brinecast::scores {
namespace {

TEST(DecodeSubmission, UndoesTheGamesEncoding) {
  const std::string inputs[] = {
      "abcde", "", "a", "\xff", std::string(3, '\0'), "\xff\xfe\xfd\xfc\xfb\xfa", "Brinecast!"};
  for (const std::string& input : inputs) {
    const std::optional<std::string> decoded = DecodeSubmission(EncodeSubmission(input));
    ASSERT_TRUE(decoded) << input;
    EXPECT_EQ(*decoded, input);
  }
  EXPECT_EQ(DecodeSubmission("NFTGG3DF"), "abcde");
}

TEST(DecodeSubmission, RefusesWhatTheGameCannotSend) {
  const char* cases[] = {
      "NFTGG3Df",  // lower case
      "NFTGG0DF",  // 0 is not in the alphabet
      "NFTGGIDF",  // nor I
      "NFTGG DF",
  };
  for (const char* encoded : cases) EXPECT_FALSE(DecodeSubmission(encoded)) << encoded;
  // Two letters carry 10 bits for one byte: the first two bits must be zero.
  EXPECT_TRUE(DecodeSubmission("H9"));
  EXPECT_FALSE(DecodeSubmission("J9"));  // J is 8 = 01000
  EXPECT_FALSE(DecodeSubmission(std::string(kMaxEncodedLength + 8, 'A')));
}

TEST(ParseSubmission, ReadsThePayloadTheGameBuilds) {
  const std::string payload = BuildPayload("Ann|Lee", -1234, 'B', "Tok9", "a|z=b");
  const std::optional<Submission> s = ParseSubmission(payload);
  ASSERT_TRUE(s) << payload;
  EXPECT_EQ(s->name, "Ann|Lee");
  EXPECT_EQ(s->score, -1234);
  EXPECT_EQ(s->key, 'B');
  EXPECT_EQ(s->token, "Tok9");
  EXPECT_EQ(s->text, "a|z=b");
}

TEST(ParseSubmission, ScoresAtTheEdgesOf64Bits) {
  for (int64_t score : {int64_t{0}, int64_t{7}, INT64_MAX, INT64_MIN}) {
    const std::optional<Submission> s = ParseSubmission(BuildPayload("n", score, 'B', "t", ""));
    ASSERT_TRUE(s) << score;
    EXPECT_EQ(s->score, score);
  }
}

// Pads fields to a multiple of 5 as the game does, so only the fault under test is left.
std::string Padded(std::string fields) {
  fields.append((5 - fields.size() % 5) % 5, '0');
  return fields;
}

TEST(ParseSubmission, RefusesMalformedFields) {
  const char* cases[] = {
      "type=1|name=A|score=7|key=B|p=t|add=|z=",                    // other type
      "type=0|score=7|name=A|key=B|p=t|add=|z=",                    // fields out of order
      "type=0|name=A|score=7|p=t|key=B|add=|z=",                    // fields out of order
      "type=0|name=A|score=7|key=B|p=t|z=",                         // a field missing
      "type=0|name=A|score=07|key=B|p=t|add=|z=",                   // leading zero
      "type=0|name=A|score=-0|key=B|p=t|add=|z=",                   // minus zero
      "type=0|name=A|score=7a|key=B|p=t|add=|z=",                   // not decimal
      "type=0|name=A|score=|key=B|p=t|add=|z=",                     // empty score
      "type=0|name=A|score=+7|key=B|p=t|add=|z=",                   // plus sign
      "type=0|name=A|score= 7|key=B|p=t|add=|z=",                   // space
      "type=0|name=A|score=9223372036854775808|key=B|p=t|add=|z=",  // beyond 64 bits
      "type=0|name=A|score=-9223372036854775809|key=B|p=t|add=|z=",
      "type=0|name=A|score=7|key=b|p=t|add=|z=",               // key not a capital
      "type=0|name=A|score=7|key=BB|p=t|add=|z=",              // key too long
      "type=0|name=A|score=7|key=|p=t|add=|z=",                // no key
      "type=0|name=A|score=7|key=B|p=|add=|z=",                // no token
      "type=0|name=A|score=7|key=B|p=t-t|add=|z=",             // token not alphanumeric
      "type=0|name=ThirteenChars|score=7|key=B|p=t|add=|z=",   // name too long
      "type=0|name=A|score=7|key=B|p=t|add=ThirteenChars|z=",  // text too long
      "type=0|name=A\tB|score=7|key=B|p=t|add=|z=",            // control character
      "type=0|name=A|score=7|key=B|p=t|add=\x7f|z=",           // delete character
      "type=0|name=A|score=7|key=B|p=t|add=|y=",               // no end marker
      "xtype=0|name=A|score=7|key=B|p=t|add=|z=",              // something in front
  };
  for (const char* fields : cases) {
    const std::string payload = Padded(fields);
    EXPECT_FALSE(ParseSubmission(payload)) << payload;
  }
  // The same fields, well formed, are read: the faults above are the only ones.
  EXPECT_TRUE(ParseSubmission(Padded("type=0|name=A|score=7|key=B|p=t|add=|z=")));
}

TEST(ParseSubmission, RefusesBadPadding) {
  const char* cases[] = {
      "type=0|name=A|score=7|key=B|p=t|add=|z=",        // 39: not a multiple of 5
      "type=0|name=A|score=7|key=B|p=t|add=|z=X",       // padding not zeros
      "type=0|name=A|score=7|key=B|p=t|add=|z=000000",  // 45, but more than 4 zeros
      "",
  };
  for (const char* payload : cases) EXPECT_FALSE(ParseSubmission(payload)) << payload;
  EXPECT_TRUE(ParseSubmission("type=0|name=A|score=7|key=B|p=t|add=|z=0"));
}

TEST(ParseSubmission, TokenLengthLimit) {
  EXPECT_TRUE(ParseSubmission(BuildPayload("n", 1, 'B', std::string(kMaxTokenLength, 'x'), "")));
  EXPECT_FALSE(
      ParseSubmission(BuildPayload("n", 1, 'B', std::string(kMaxTokenLength + 1, 'x'), "")));
}

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
