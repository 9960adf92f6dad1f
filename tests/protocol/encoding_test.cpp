// Tests of the 32-letter encoding: known encodings, the letters it uses, and the decoder
// undoing it exactly and refusing what the game cannot send.
#include "protocol/Encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace brinecast::protocol {
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
    EXPECT_EQ(EncodedLength(c.input.size()), std::string_view(c.encoded).size());
  }
}

TEST(EncodeSubmission, UsesOnlyTheAlphabetAndEightLettersPerFiveBytes) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  all.resize(255);  // a multiple of 5
  const std::string encoded = EncodeSubmission(all);
  EXPECT_EQ(encoded.size(), 255u / 5 * 8);
  for (char c : encoded) EXPECT_NE(kAlphabet.find(c), std::string_view::npos) << c;
  for (char banned : {'I', 'O', 'Z', '0'}) EXPECT_EQ(encoded.find(banned), std::string::npos);
}

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
  EXPECT_TRUE(DecodeSubmission(std::string(kMaxEncodedLength, 'A')));
  EXPECT_FALSE(DecodeSubmission(std::string(kMaxEncodedLength + 8, 'A')));
}

}  // namespace
}  // namespace brinecast::protocol
