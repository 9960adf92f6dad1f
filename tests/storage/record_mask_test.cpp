// The stored masking is pinned to exact values: saved files depend on it.
#include <gtest/gtest.h>

#include "storage/RecordMask.h"

namespace brinecast {
namespace {

TEST(RecordMask, NameCharactersMaskToKnownBytes) {
  EXPECT_EQ(MaskNameChar(1, 0, 0x41), 0x38);
  EXPECT_EQ(MaskNameChar(1, 1, 'l'), 0xEC);
  EXPECT_EQ(MaskNameChar(10, 11, 0x00), 0xDD);
  EXPECT_EQ(MaskNameChar(3, 2, 0xFF), 0x3A);
}

TEST(RecordMask, ScoresMaskToKnownValues) {
  EXPECT_EQ(MaskScore(1, 0), 0x9E3779B9u);
  EXPECT_EQ(MaskScore(2, 0), 0x3C6EF372u);
  EXPECT_EQ(MaskScore(10, 10000), 0x2E2AE62Au);
  EXPECT_EQ(MaskScore(1, 12345), 0x9E374980u);
}

TEST(RecordMask, MaskingTwiceGivesThePlainValueForEveryRowAndPlace) {
  for (int row = 1; row <= 10; ++row) {
    EXPECT_EQ(MaskScore(row, MaskScore(row, 0xDEADBEEFu)), 0xDEADBEEFu);
    for (int pos = 0; pos < 12; ++pos) {
      for (int c = 0; c < 256; ++c) {
        const auto plain = static_cast<uint8_t>(c);
        ASSERT_EQ(MaskNameChar(row, pos, MaskNameChar(row, pos, plain)), plain);
      }
    }
  }
}

TEST(RecordMask, EqualNamesInTwoRowsLookDifferent) {
  EXPECT_NE(MaskNameChar(1, 0, 'A'), MaskNameChar(2, 0, 'A'));
  EXPECT_NE(MaskScore(1, 5000), MaskScore(2, 5000));
}

}  // namespace
}  // namespace brinecast
