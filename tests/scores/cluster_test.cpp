// The whole cluster as the README sets it up: PostgreSQL, three servers behind nginx (round
// robin) that only take recordings, and a verifier alone. A client's checks, submissions and
// uploads spread over the servers meet one limit; a burst of honest games through nginx while
// one server is killed with SIGKILL loses no acknowledged score, doubles none, and every
// recording acknowledged is proven exactly once.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "ClusterClient.h"
#include "ProxyProcess.h"
#include "RecordedGame.h"
#include "ServerCluster.h"
#include "scores/store/ScoreStore.h"
#include "support/Occurrences.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::Allowed;
using testing::Occurrences;
using testing::ServerCluster;

testing::Client Through(const std::string& address) {
  return testing::Client(address, "X-Test-Client");
}

TEST(Cluster, ThreeServersBehindNginxActAsOneThroughAKill) {
  ServerCluster cluster;
  if (cluster.db().empty()) GTEST_SKIP() << "PostgreSQL is not installed";
  if (!std::filesystem::exists(testing::kNginx)) GTEST_SKIP() << "nginx is not installed";
  // Distinct real games to prove, played while the cluster starts.
  testing::ScratchFolder folder;
  std::vector<testing::PlayedGame> games(4);
  std::vector<std::thread> players;
  for (int half = 0; half < 2; ++half) {
    players.emplace_back([&, half] {
      for (size_t i = half; i < games.size(); i += 2) {
        games[i] = testing::PlayGame(folder, static_cast<int>(i) + 2);
      }
    });
  }
  const std::vector<std::string> limits = {
      "--checks-per-minute", "30", "--submissions-per-minute", "3", "--verify-workers", "0"};
  std::vector<int> ports;
  for (int i = 0; i < 3; ++i) ports.push_back(cluster.AddServer(limits));
  const bool verifying = cluster.AddVerifier({"--verify-workers", "2"});
  for (std::thread& t : players) t.join();
  for (int port : ports) ASSERT_GT(port, 0);
  ASSERT_TRUE(verifying);
  for (const testing::PlayedGame& game : games) ASSERT_TRUE(game.error.empty()) << game.error;
  for (int port : ports) ASSERT_TRUE(ServerCluster::Counts(port, 3, 2, 20s));
  testing::ProxyProcess proxy(ports);
  ASSERT_TRUE(proxy.WaitAnswering()) << proxy.Log();
  const std::vector<int> front = {proxy.port()};

  // One limit per client, though every request goes to another server.
  testing::Client checker = Through("10.8.0.1");
  EXPECT_EQ(Allowed(front, 40, [&](int port) { return checker.Check(port); }), 30);
  testing::Client uploader = Through("10.8.0.2");
  EXPECT_EQ(Allowed(front, 9, [&](int port) { return uploader.Upload(port) != 429; }), 6);
  testing::Client submitter = Through("10.8.0.3");
  EXPECT_EQ(Allowed(front, 5, [&](int port) { return !submitter.Submit(port, "Sam", 1).empty(); }),
            3);

  // The burst: honest players, each from an address of its own, one server killed midway;
  // every ninth proves a game of its own.
  std::map<std::string, bool> acknowledged;  // name: stored, as the player was told
  int gamesStored = 0;
  int proofs = 0;  // recordings taken
  constexpr int kPlayers = 36;
  for (int i = 0; i < kPlayers; ++i) {
    if (i == kPlayers / 3) {
      cluster.Process(1).Signal(SIGKILL);
      ASSERT_TRUE(cluster.Process(1).Exited(5s));
    }
    testing::Client player = Through("10.9.0." + std::to_string(i + 1));
    if (i % 9 != 4) {
      const std::string name = "P" + std::to_string(i);
      acknowledged[name] = !player.Submit(proxy.port(), name, 100 + i).empty();
      continue;
    }
    const testing::PlayedGame& played = games[static_cast<size_t>(i / 9)];
    const std::string token = player.Submit(proxy.port(), "ANN", played.recording.end.score, "gg");
    if (token.empty()) continue;
    ++gamesStored;
    const std::string bytes = testing::Bytes(replay::EncodeRecording(played.recording));
    proofs += player.Upload(proxy.port(), token, bytes) == 202 ? 1 : 0;
  }

  // Every recording acknowledged is proven, once.
  testing::ServerProcess& verifier = cluster.Process(3);
  EXPECT_TRUE(testing::WaitFor(
      [&] { return static_cast<int>(Occurrences(verifier.Err(), ": proven")) >= proofs; }, 60s))
      << verifier.Err();
  const std::unique_ptr<ScoreStore> store = OpenScoreStore(cluster.db());
  EXPECT_TRUE(testing::WaitFor([&] { return store->CountWaiting() == 0; }, 30s));
  EXPECT_EQ(static_cast<int>(store->Ranked(1000, true).size()), proofs);
  EXPECT_EQ(static_cast<int>(Occurrences(verifier.Err(), ": proven")), proofs) << verifier.Err();
  EXPECT_EQ(Occurrences(verifier.Err(), "not proven"), 0u) << verifier.Err();

  // Every score acknowledged is stored, once; none is stored twice.
  std::map<std::string, int> stored;
  for (const StoredScore& score : store->Ranked(1000, false)) ++stored[score.entry.name];
  for (const auto& [name, told] : acknowledged) {
    // One cut off by the kill may be stored unacknowledged, but never twice.
    EXPECT_LE(stored[name], 1) << name;
    if (told) {
      EXPECT_EQ(stored[name], 1) << name;
    }
  }
  EXPECT_EQ(stored["ANN"], gamesStored);
  EXPECT_EQ(stored["Sam"], 3);
  EXPECT_GE(proofs, 3);
}

}  // namespace
}  // namespace brinecast::scores
