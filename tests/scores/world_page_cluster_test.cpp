// A change made through one server, by a verifier alone or by an admin command shows on every
// server's world page within a second or so, though each serves the page from memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordedGame.h"
#include "RecordingClient.h"
#include "ServerCluster.h"
#include "net/HttpClient.h"
#include "protocol/Requests.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::ServerCluster;

// Well under the five seconds a page made from memory may otherwise be late.
constexpr auto kSoon = 2s;

std::string Page(int port) {
  CurlTransport http;
  return http.Get({"http://127.0.0.1:" + std::to_string(port) + protocol::WorldTarget(), {}}).body;
}

bool EveryPage(const std::vector<int>& ports, const std::string& text, bool shown) {
  return testing::WaitFor(
      [&] {
        for (int port : ports) {
          if ((Page(port).find(text) != std::string::npos) != shown) return false;
        }
        return true;
      },
      kSoon);
}

TEST(WorldPageCluster, ScoresProofsAndRemovalsShowOnEveryServerAtOnce) {
  ServerCluster cluster;
  if (cluster.db().empty()) GTEST_SKIP() << "PostgreSQL is not installed";
  testing::ScratchFolder folder;
  const testing::PlayedGame played = testing::PlayGame(folder);
  ASSERT_TRUE(played.error.empty()) << played.error;
  const std::vector<int> ports = {cluster.AddServer({"--verify-workers", "0"}),
                                  cluster.AddServer({"--verify-workers", "0"})};
  ASSERT_GT(ports[0], 0);
  ASSERT_GT(ports[1], 0);
  ASSERT_TRUE(cluster.AddVerifier());
  // Both pages made and kept in memory before anything changes.
  EXPECT_TRUE(EveryPage(ports, "ANN", false));

  const std::string host = "127.0.0.1:" + std::to_string(ports[0]);
  const std::string token = testing::SubmitScore(host, "ANN", played.recording.end.score, "gg");
  ASSERT_FALSE(token.empty());
  EXPECT_TRUE(EveryPage(ports, "<td class=\"s\">ANN", true));

  const std::string game = testing::Bytes(replay::EncodeRecording(played.recording));
  ASSERT_EQ(testing::PostRecording(ports[0], token, game).status, 202);
  ASSERT_TRUE(testing::WaitFor(
      [&] {
        return cluster.Process(2).Err().find("recording of score 1: proven") != std::string::npos;
      },
      60s))
      << cluster.Process(2).Err();
  EXPECT_TRUE(
      EveryPage(ports, "<tr class=\"proven\"><td class=\"n r\">1</td><td class=\"s\">ANN", true));

  const testing::Finished removed =
      testing::RunScores({"admin", "--db", cluster.db(), "remove", "1"});
  ASSERT_EQ(removed.status, 0) << removed.err;
  EXPECT_TRUE(EveryPage(ports, "ANN", false));
}

}  // namespace
}  // namespace brinecast::scores
