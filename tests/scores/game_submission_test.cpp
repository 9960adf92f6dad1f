#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "RunningServer.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "online/ScoreSubmission.h"

namespace brinecast::scores {
namespace {

// Polls as the game's nested loop would, a frame at a time.
bool PollUntilDone(ScoreSubmission& submission) {
  for (int frame = 0; frame < 2000; ++frame) {
    if (submission.Poll()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(16));
  }
  return false;
}

TEST(GameSubmission, ReachesTheServerAndTheScoreIsOnThePage) {
  testing::RunningServer server;
  ASSERT_GT(server.port(), 0);
  CurlTransport http;
  ScoreSubmission submission(http, server.Host(), {"Marina", 12345, "first try"});
  ASSERT_TRUE(PollUntilDone(submission));
  EXPECT_TRUE(submission.Reachable());
  const auto top = server.store().Top(10);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].name, "Marina");
  EXPECT_EQ(top[0].score, 12345);
  EXPECT_EQ(top[0].text, "first try");
  const HttpResult page = http.Get({WorldScoresUrl(server.Host()), ScoreRequestHeaders()});
  EXPECT_NE(page.body.find("Marina"), std::string::npos);
}

TEST(GameSubmission, StoppedServerIsUnreachable) {
  std::string host;
  {
    testing::RunningServer gone;
    host = gone.Host();
  }
  CurlTransport http;
  ScoreSubmission submission(http, host, {"Marina", 1, ""});
  ASSERT_TRUE(PollUntilDone(submission));
  EXPECT_FALSE(submission.Reachable());
}

}  // namespace
}  // namespace brinecast::scores
