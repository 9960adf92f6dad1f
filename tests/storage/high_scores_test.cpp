// The high-score table's rules: defaults, the start-up sort, qualification and insertion.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "storage/HighScores.h"

namespace brinecast {
namespace {

TConfig DefaultTable() {
  TConfig config;
  ResetHighScores(config);
  return config;
}

std::vector<uint32_t> Scores(const TConfig& config) {
  std::vector<uint32_t> scores;
  for (const THighScore& row : config.HighScores) scores.push_back(row.Score);
  return scores;
}

TEST(HighScores, ResetGivesTenAnonymousRowsFrom10000Down) {
  TConfig config;
  config.HighScores[3] = {"Somebody", 77};
  ResetHighScores(config);
  for (size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(config.HighScores[i],
              (THighScore{"Anonymous", static_cast<uint32_t>(10 - i) * 1000}));
  }
}

TEST(HighScores, SortPutsTheBestFirstComparingUnsigned) {
  TConfig config;
  const uint32_t scores[] = {5, 0x80000000u, 7, 0, 0xFFFFFFFFu, 7, 1, 100, 99, 3};
  for (size_t i = 0; i < 10; ++i) config.HighScores[i] = {std::to_string(i), scores[i]};
  SortHighScores(config);
  EXPECT_EQ(Scores(config),
            (std::vector<uint32_t>{0xFFFFFFFFu, 0x80000000u, 100, 99, 7, 7, 5, 3, 1, 0}));
}

TEST(HighScores, SortIsTheSelectionSortWithItsOrderOfEqualRows) {
  // The selection sort's swaps may carry a lower equal row above an upper one; the
  // order below is the one the described sort gives, kept so old tables read alike.
  TConfig config;
  const char* names[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
  const uint32_t scores[] = {1, 5, 5, 9, 1, 5, 0, 0, 0, 0};
  for (size_t i = 0; i < 10; ++i) config.HighScores[i] = {names[i], scores[i]};
  SortHighScores(config);
  std::string order;
  for (const THighScore& row : config.HighScores) order += row.Name;
  EXPECT_EQ(order, "dbcfeaghij");
  EXPECT_EQ(Scores(config), (std::vector<uint32_t>{9, 5, 5, 5, 1, 1, 0, 0, 0, 0}));
}

TEST(HighScores, SortMovesEachRowsStoredBytesWithIt) {
  TConfig config = DefaultTable();
  std::swap(config.HighScores[0], config.HighScores[9]);
  config.Raw[20 + 14] = 0x11;   // padding of row 1 (holding 1000)
  config.Raw[200 + 14] = 0x99;  // padding of row 10 (holding 10000)
  SortHighScores(config);
  EXPECT_EQ(config.HighScores[0].Score, 10000u);
  EXPECT_EQ(config.Raw[20 + 14], 0x99);
  EXPECT_EQ(config.Raw[200 + 14], 0x11);
}

struct QualifyCase {
  int64_t score;
  uint32_t row10;
  bool qualifies;
};

TEST(HighScores, QualificationAgainstRowTen) {
  const QualifyCase cases[] = {
      {1000, 1000, false},
      {1001, 1000, true},
      {999, 1000, false},
      {0, 0, false},
      {1, 0, true},
      {-1, 0, false},
      {INT64_MIN, 0, false},
      {4294967295LL, 4294967295u, false},
      {4294967296LL, 4294967295u, true},
      {INT64_MAX, 4294967295u, true},
      {2147483648LL, 2147483647u, true},
      {2147483647LL, 2147483648u, false},
  };
  for (const QualifyCase& c : cases) {
    TConfig config = DefaultTable();
    config.HighScores[9].Score = c.row10;
    EXPECT_EQ(Qualifies(c.score, config), c.qualifies) << c.score << " vs " << c.row10;
  }
}

struct InsertCase {
  const char* what;
  int64_t score;
  int row;
  uint32_t stored;
};

TEST(HighScores, InsertPlacesTheRowBelowEqualScores) {
  const InsertCase cases[] = {
      {"one more than row 10", 1001, 10, 1001},
      {"equal to row 9", 2000, 10, 2000},
      {"between rows 6 and 5", 5500, 6, 5500},
      {"equal to row 1", 10000, 2, 10000},
      {"above row 1", 10001, 1, 10001},
      {"largest stored score", 4294967295LL, 1, 4294967295u},
      // Its low 32 bits (5) would put a tiny score at the top: the row keeps the most it can.
      {"above 32 bits", 4294967296LL + 5, 1, 4294967295u},
  };
  for (const InsertCase& c : cases) {
    TConfig config = DefaultTable();
    ASSERT_TRUE(Qualifies(c.score, config)) << c.what;
    EXPECT_EQ(InsertHighScore(config, "Ann", c.score), c.row) << c.what;
    const THighScore& placed = config.HighScores[c.row - 1];
    EXPECT_EQ(placed.Name, "Ann") << c.what;
    EXPECT_EQ(placed.Score, c.stored) << c.what;
    // The rows below moved down one place; the old row 10 (1000) is gone.
    for (int i = c.row; i < 10; ++i) {
      EXPECT_EQ(config.HighScores[i].Score, static_cast<uint32_t>(11 - i) * 1000) << c.what;
    }
  }
}

TEST(HighScores, InsertStoresTwelveCharactersOfTheNameAndAcceptsAnEmptyOne) {
  TConfig config = DefaultTable();
  EXPECT_EQ(InsertHighScore(config, "Twelve_chars", 20000), 1);
  EXPECT_EQ(config.HighScores[0].Name, "Twelve_chars");
  EXPECT_EQ(InsertHighScore(config, "Thirteen_char", 30000), 1);
  EXPECT_EQ(config.HighScores[0].Name, "Thirteen_cha");
  EXPECT_EQ(InsertHighScore(config, "", 15000), 3);
  EXPECT_EQ(config.HighScores[2].Name, "");
  EXPECT_EQ(Scores(config), (std::vector<uint32_t>{30000, 20000, 15000, 10000, 9000, 8000, 7000,
                                                   6000, 5000, 4000}));
}

TEST(HighScores, AScoreThatDoesNotQualifyChangesNothing) {
  for (int64_t score : {int64_t{1000}, int64_t{0}, int64_t{-5000}}) {
    TConfig config = DefaultTable();
    const TConfig before = config;
    EXPECT_EQ(InsertHighScore(config, "Nobody", score), 0) << score;
    EXPECT_EQ(config, before) << score;
  }
}

TEST(HighScores, InsertMovesTheStoredBytesOfTheRowsBelow) {
  TConfig config = DefaultTable();
  config.Raw[40 + 14] = 0x22;  // padding of row 2 (9000)
  EXPECT_EQ(InsertHighScore(config, "Ann", 9500), 2);
  EXPECT_EQ(config.HighScores[2].Score, 9000u);
  EXPECT_EQ(config.Raw[60 + 14], 0x22);
}

}  // namespace
}  // namespace brinecast
