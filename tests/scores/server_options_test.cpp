// Tests of the score server's command-line options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scores/ServerOptions.h"

namespace brinecast::scores {
namespace {

TEST(ServerOptions, DefaultsListenOnLoopbackAtTheGamesPort) {
  std::string error;
  const auto options = ParseServerOptions({}, error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->port, 8765);
  EXPECT_EQ(options->bind, "127.0.0.1");
  EXPECT_FALSE(options->db.empty());
}

TEST(ServerOptions, ReadsEveryOption) {
  std::string error;
  const auto options = ParseServerOptions(
      {"--port", "9000", "--bind", "0.0.0.0", "--db", "postgresql://u@h/d",
       "--submissions-per-minute", "3", "--checks-per-minute", "7", "--max-scores", "50"},
      error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->port, 9000);
  EXPECT_EQ(options->bind, "0.0.0.0");
  EXPECT_EQ(options->db, "postgresql://u@h/d");
  EXPECT_EQ(options->limits.submissionsPerMinute, 3);
  EXPECT_EQ(options->limits.checksPerMinute, 7);
  EXPECT_EQ(options->limits.maxScores, 50);
}

struct BadCase {
  std::vector<std::string> args;
  const char* mentions;
};

TEST(ServerOptions, RefusesBadArgumentsSayingWhich) {
  const BadCase cases[] = {
      {{"--port", "0"}, "--port"},
      {{"--port", "65536"}, "--port"},
      {{"--port", "80x"}, "80x"},
      {{"--port"}, "needs a value"},
      {{"--colour", "red"}, "--colour"},
      {{"stray"}, "stray"},
      {{"--db", ""}, "--db"},
      {{"--max-scores", "-1"}, "--max-scores"},
  };
  for (const BadCase& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseServerOptions(c.args, error)) << c.mentions;
    EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace brinecast::scores
