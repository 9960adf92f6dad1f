// Tests of the submission's payload: the game's building of it, the server's strict
// reading, and the limits of its fields.
#include "protocol/Payload.h"

#include <gtest/gtest.h>

#include <string>

#include "protocol/Encoding.h"
#include "storage/TypingRule.h"

namespace brinecast::protocol {
namespace {

TEST(BuildPayload, FieldsInOrderPaddedWithZerosToAMultipleOfFive) {
  // 38 characters before padding: two "0" make 40, and 64 letters once encoded.
  const std::string payload = BuildPayload("A", 7, 'B', "", "");
  EXPECT_EQ(payload, "type=0|name=A|score=7|key=B|p=|add=|z=00");
  EXPECT_EQ(EncodeSubmission(payload).size(), 64u);
}

struct PayloadCase {
  const char* name;
  int64_t score;
  const char* p;
  const char* add;
  const char* payload;
};

TEST(BuildPayload, KnownPayloads) {
  const PayloadCase cases[] = {
      // 40 characters already: no padding.
      {"AB", 70, "", "", "type=0|name=AB|score=70|key=B|p=|add=|z="},
      {"Ann", -1234, "tok", "hi there", "type=0|name=Ann|score=-1234|key=B|p=tok|add=hi there|z="},
      {"", 0, "", "", "type=0|name=|score=0|key=B|p=|add=|z=000"},
      {"abcd", 1, "", "", "type=0|name=abcd|score=1|key=B|p=|add=|z=0000"},
      {"ab", 5, "", "", "type=0|name=ab|score=5|key=B|p=|add=|z=0"},
      {"Twelve chars", INT64_MAX, "P", "Twelve chars",
       "type=0|name=Twelve chars|score=9223372036854775807|key=B|p=P|add=Twelve chars|z="},
      {"x", INT64_MIN, "", "", "type=0|name=x|score=-9223372036854775808|key=B|p=|add=|z=000"},
  };
  for (const PayloadCase& c : cases) {
    const std::string payload = BuildPayload(c.name, c.score, kSubmissionKey, c.p, c.add);
    EXPECT_EQ(payload, c.payload);
    EXPECT_EQ(payload.size() % 5, 0u) << payload;
  }
}

// The longest texts the game's typing rule keeps, the longest token and the widest score,
// through the encoding and back: nothing the game can send is refused for its length.
TEST(PayloadLimits, TheLongestSubmissionTheGameCanSendIsRead) {
  const std::string typed = CleanTypedText(std::string(40, 'W'));
  EXPECT_LE(typed.size(), kMaxNameLength);
  EXPECT_LE(typed.size(), kMaxNoteLength);
  const std::string name(kMaxNameLength, 'N');
  const std::string note(kMaxNoteLength, 'n');
  const std::string token(kMaxTokenLength, 't');
  const std::string encoded =
      EncodeSubmission(BuildPayload(name, INT64_MIN, kSubmissionKey, token, note));
  EXPECT_LE(encoded.size(), kMaxEncodedLength);
  const std::optional<std::string> payload = DecodeSubmission(encoded);
  ASSERT_TRUE(payload);
  const std::optional<Submission> s = ParseSubmission(*payload);
  ASSERT_TRUE(s) << *payload;
  EXPECT_EQ(s->name, name);
  EXPECT_EQ(s->score, INT64_MIN);
  EXPECT_EQ(s->token, token);
  EXPECT_EQ(s->text, note);
  // One more byte in any text field is refused.
  EXPECT_FALSE(ParseSubmission(BuildPayload(name + 'N', 1, kSubmissionKey, token, note)));
  EXPECT_FALSE(ParseSubmission(BuildPayload(name, 1, kSubmissionKey, token, note + 'n')));
  EXPECT_FALSE(ParseSubmission(BuildPayload(name, 1, kSubmissionKey, token + 't', note)));
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

}  // namespace
}  // namespace brinecast::protocol
