// Tests of the score server's command-line options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scores/admin/ServerOptions.h"

namespace brinecast::scores {
namespace {

TEST(ServerOptions, DefaultsListenOnLoopbackAtTheGamesPort) {
  std::string error;
  const auto options = ParseServerOptions({}, error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->port, 8765);
  EXPECT_EQ(options->bind, "127.0.0.1");
  EXPECT_FALSE(options->store.where.empty());
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
  EXPECT_EQ(options->store.where, "postgresql://u@h/d");
  EXPECT_EQ(options->limits.submissionsPerMinute, 3);
  EXPECT_EQ(options->limits.checksPerMinute, 7);
  EXPECT_EQ(options->limits.maxScores, 50);
}

TEST(ServerOptions, ReadsTheVerificationOptions) {
  std::string error;
  const auto options = ParseServerOptions(
      {"--game-data", "/srv/game", "--proven-only", "--verify-workers=3", "--verify-queue", "40",
       "--verify-seconds", "20", "--verify-memory", "300"},
      error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->gameData, "/srv/game");
  EXPECT_TRUE(options->limits.provenOnly);
  EXPECT_EQ(options->verify.workers, 3);
  EXPECT_EQ(options->verify.queueLimit, 40u);
  EXPECT_EQ(options->verify.limits.cpuSeconds, 20);
  EXPECT_EQ(options->verify.limits.wall, std::chrono::seconds(40));
  EXPECT_EQ(options->verify.limits.memoryBytes, int64_t{300} << 20U);
  const auto defaults = ParseServerOptions({}, error);
  ASSERT_TRUE(defaults);
  EXPECT_TRUE(defaults->gameData.empty());
  EXPECT_FALSE(defaults->limits.provenOnly);
}

// What one client may hold of the upload places and of the queue.
TEST(ServerOptions, ReadsTheSharesOfOneClient) {
  std::string error;
  const auto options = ParseServerOptions({"--uploads-per-client", "2", "--verify-share=3"}, error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->http.uploadsPerClient, 2);
  EXPECT_EQ(options->verify.senderShare, 3u);
  const auto defaults = ParseServerOptions({}, error);
  ASSERT_TRUE(defaults) << error;
  EXPECT_EQ(defaults->http.uploadsPerClient, 4);
  EXPECT_EQ(defaults->verify.senderShare, 4u);
}

TEST(ServerOptions, ValuesMayFollowAnEqualsSign) {
  std::string error;
  const auto options = ParseServerOptions(
      {"--port=8766", "--bind=::1", "--trusted-proxy=::ffff:10.1.2.3", "--trusted-proxy",
       "192.0.2.9", "--db-password-file=/run/pw", "--db-timeout=3", "--version"},
      error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->port, 8766);
  EXPECT_EQ(options->bind, "::1");
  EXPECT_EQ(options->http.trustedProxies, (std::vector<std::string>{"10.1.2.3", "192.0.2.9"}));
  EXPECT_EQ(options->passwordFile, "/run/pw");
  EXPECT_EQ(options->store.timeoutSeconds, 3);
  EXPECT_TRUE(options->version);
}

struct BadCase {
  std::vector<std::string> args;
  const char* mentions;
};

TEST(ServerOptions, RefusesBadArgumentsSayingWhich) {
  const BadCase cases[] = {
      {{"--port", "0"}, "--port"},
      {{"--game-data", ""}, "--game-data"},
      {{"--proven-only=yes"}, "takes no value"},
      {{"--verify-workers", "65"}, "--verify-workers"},
      {{"--verify-workers", "-1"}, "--verify-workers"},
      {{"--verify-queue", "0"}, "--verify-queue"},
      {{"--verify-share", "0"}, "--verify-share"},
      {{"--uploads-per-client", "0"}, "--uploads-per-client"},
      {{"--verify-seconds", "0"}, "--verify-seconds"},
      {{"--verify-memory", "10"}, "--verify-memory"},
      {{"--port", "65536"}, "--port"},
      {{"--port", "80x"}, "80x"},
      {{"--port"}, "needs a value"},
      {{"--colour", "red"}, "--colour"},
      {{"stray"}, "stray"},
      {{"--db", ""}, "--db"},
      {{"--max-scores", "-1"}, "--max-scores"},
      {{"--bogus"}, "unknown option --bogus"},
      {{"--bogus=1"}, "unknown option --bogus"},
      {{"--version=2"}, "takes no value"},
      {{"--port="}, "--port"},
      {{"--bind", "localhost"}, "numeric"},
      {{"--trusted-proxy", "proxy.example"}, "--trusted-proxy"},
      {{"--db", "postgresql://u:secret@h/d"}, "password"},
      {{"--db", "postgresql://u@h/d?sslmode=require&password=secret"}, "password"},
  };
  for (const BadCase& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseServerOptions(c.args, error)) << c.mentions;
    EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace brinecast::scores
