// Servers on one database meet one limit per client: each counts its share of the checks and
// uploads allowed, from how many servers announce themselves, and submissions are counted in
// the database. A server killed without a word drops out of the count, and the others take
// its share. The health check says how many servers and verifiers are live.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <vector>

#include "ClusterClient.h"
#include "ServerCluster.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::Allowed;
using testing::Client;
using testing::ServerCluster;

TEST(ClusterLimits, OneLimitPerClientAcrossTheServersAndTheDeadDropOut) {
  ServerCluster cluster;
  if (cluster.db().empty()) GTEST_SKIP() << "PostgreSQL is not installed";
  const std::vector<std::string> limits = {
      "--checks-per-minute", "6", "--submissions-per-minute", "3", "--verify-workers", "0"};
  const std::vector<int> ports = {cluster.AddServer(limits), cluster.AddServer(limits)};
  ASSERT_GT(ports[0], 0) << cluster.Process(0).Err();
  ASSERT_GT(ports[1], 0) << cluster.Process(1).Err();
  ASSERT_TRUE(cluster.AddVerifier({"--verify-workers", "2"})) << cluster.Process(2).Err();
  for (int port : ports) EXPECT_TRUE(ServerCluster::Counts(port, 2, 2, 20s)) << port;

  Client checker("10.7.0.1");
  EXPECT_EQ(Allowed(ports, 10, [&](int port) { return checker.Check(port); }), 6);
  // Uploads: twice the submissions, so six.
  Client uploader("10.7.0.2");
  EXPECT_EQ(Allowed(ports, 10, [&](int port) { return uploader.Upload(port) != 429; }), 6);
  Client submitter("10.7.0.3");
  EXPECT_EQ(Allowed(ports, 5, [&](int port) { return !submitter.Submit(port, "Ann", 10).empty(); }),
            3);

  // One server killed: the other counts alone within 30 s and allows the whole limit.
  cluster.Process(1).Signal(SIGKILL);
  ASSERT_TRUE(cluster.Process(1).Exited(5s));
  EXPECT_TRUE(ServerCluster::Counts(ports[0], 1, 2, 30s));
  Client alone("10.7.0.4");
  EXPECT_EQ(Allowed({ports[0]}, 8, [&](int port) { return alone.Check(port); }), 6);
  // A verifier stopped takes itself out of the count at once.
  cluster.Process(2).Signal(SIGTERM);
  ASSERT_TRUE(cluster.Process(2).Exited(10s));
  EXPECT_TRUE(ServerCluster::Counts(ports[0], 1, 0, 10s));
}

}  // namespace
}  // namespace brinecast::scores
