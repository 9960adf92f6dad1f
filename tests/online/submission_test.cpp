// Tests of the score submission's payload and its encoding against known values.
#include "online/Submission.h"

#include <gtest/gtest.h>

#include <string>

namespace brinecast {
namespace {

struct EncodeCase {
  std::string input;
  const char* encoded;
};

TEST(EncodeSubmission, MatchesKnownEncodings) {
  const EncodeCase cases[] = {
      {"abcde", "NFTGG3DF"},
      {"", ""},
      {"a", "DB"},  // 8 bits: two leading zero bits make 10
      {"\xff", "H9"},
      {std::string(2, '\0'), "AAAA"},
      {"\xff\xfe\xfd\xfc\xfb\xfa", "H995893894"},
      {"Brinecast!", "JK3GU5VFNPS1G7BB"},
      {"type=0|name=A|score=7|key=B|p=|add=|z=00",
       "QT61A3K7GB8G62MPNW8WC9DVNP11E3K7G78GY3M3HXBH26B7RTSYJ3B7RT7D4NBS"},
  };
  for (const EncodeCase& c : cases) {
    EXPECT_EQ(EncodeSubmission(c.input), c.encoded) << "input of " << c.input.size() << " bytes";
  }
}

TEST(EncodeSubmission, UsesOnlyTheAlphabetAndEightLettersPerFiveBytes) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  all.resize(255);  // a multiple of 5
  const std::string encoded = EncodeSubmission(all);
  EXPECT_EQ(encoded.size(), 255u / 5 * 8);
  for (char c : encoded) EXPECT_NE(kSubmissionAlphabet.find(c), std::string_view::npos) << c;
  for (char banned : {'I', 'O', 'Z', '0'}) EXPECT_EQ(encoded.find(banned), std::string::npos);
}

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

}  // namespace
}  // namespace brinecast
