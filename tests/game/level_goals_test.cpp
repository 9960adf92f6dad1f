// The level table: the goals of each level and the seconds on its clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/LevelGoals.h"

namespace brinecast {
namespace {

std::string Describe(const LevelGoals& goals) {
  std::string text;
  for (int i = 0; i < goals.count; ++i) {
    if (!text.empty()) text += ' ';
    text += std::to_string(goals.goals[i].FishKind) + ":" + std::to_string(goals.goals[i].Left);
  }
  return text;
}

TEST(LevelGoals, FirstFifteenLevelsFollowTheTable) {
  struct Row {
    int level;
    std::string goals;
    int time;
  };
  const std::vector<Row> table = {{1, "1:1", 11},
                                  {2, "1:2 2:1", 13},
                                  {3, "1:5", 15},
                                  {4, "1:3 2:2 3:1", 16},
                                  {5, "1:4 2:3 3:2 4:1", 20},
                                  {6, "2:10", 20},
                                  {7, "1:5 2:4 3:3 4:2 5:1", 25},
                                  {8, "1:6 2:5 3:4 4:3 5:2 6:1", 31},
                                  {9, "3:15", 25},
                                  {10, "1:7 2:6 3:5 4:4 5:3 6:2 7:1", 38},
                                  {11, "1:8 2:7 3:6 4:5 5:4 6:3 7:2 8:1", 46},
                                  {12, "4:20", 30},
                                  {13, "1:9 2:8 3:7 4:6 5:5 6:4 7:3 8:2 9:1", 55},
                                  {14, "1:10 2:9 3:8 4:7 5:6 6:5 7:4 8:3 9:2 10:1", 65},
                                  {15, "5:25", 35}};
  const auto never = [](uint32_t) -> uint32_t {
    ADD_FAILURE() << "no random kind below 16";
    return 0;
  };
  for (const Row& row : table) {
    const LevelGoals goals = GoalsOfLevel(static_cast<uint16_t>(row.level), never);
    EXPECT_EQ(Describe(goals), row.goals) << "level " << row.level;
    EXPECT_EQ(LevelSeconds(goals), row.time) << "level " << row.level;
  }
}

TEST(LevelGoals, LaterLevelsCycleEveryKindThreeRandomKindsAndOneRandomKind) {
  std::vector<uint32_t> draws = {4, 4, 9, 0};  // kinds 5, 5, 10, then 1
  size_t next = 0;
  const auto random = [&](uint32_t n) {
    EXPECT_EQ(n, 10U);
    return draws.at(next++);
  };
  EXPECT_EQ(Describe(GoalsOfLevel(16, random)),
            "1:10 2:10 3:10 4:10 5:10 6:10 7:10 8:10 9:10 10:10");
  EXPECT_EQ(LevelSeconds(GoalsOfLevel(16, random)), 110);
  const LevelGoals seventeen = GoalsOfLevel(17, random);
  EXPECT_EQ(Describe(seventeen), "5:34 5:34 10:34");  // a kind may repeat
  EXPECT_EQ(LevelSeconds(seventeen), 112);
  const LevelGoals eighteen = GoalsOfLevel(18, random);
  EXPECT_EQ(Describe(eighteen), "1:54");
  EXPECT_EQ(LevelSeconds(eighteen), 64);
  EXPECT_EQ(Describe(GoalsOfLevel(19, random)),
            "1:13 2:13 3:13 4:13 5:13 6:13 7:13 8:13 9:13 10:13");
  EXPECT_EQ(next, draws.size());
}

TEST(LevelGoals, CountsStayWithinTheirWidthAtTheLastLevel) {
  const LevelGoals last = GoalsOfLevel(65535, [](uint32_t) { return 0U; });
  ASSERT_EQ(last.count, 1);
  EXPECT_EQ(last.goals[0].Left, 65535);  // 3 x 65535 would wrap a 16-bit count
}

}  // namespace
}  // namespace brinecast
