// Servers on one database meet one limit per client: each counts its share of the checks and
// uploads allowed, from how many servers announce themselves, and submissions are counted in
// the database. A server killed without a word drops out of the count, and the others take
// its share. The health check says how many servers and verifiers are live.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <vector>

#include "RecordingClient.h"
#include "ServerCluster.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "protocol/Requests.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::ServerCluster;

// Requests from one client, as a proxy in front names it.
struct Client {
  explicit Client(std::string from) : address(std::move(from)) {}
  std::string address;
  std::vector<std::string> Headers() const {
    std::vector<std::string> headers = ScoreRequestHeaders();
    headers.push_back("X-Forwarded-For: " + address);
    return headers;
  }
  bool Check(int port) {
    return http.Get({CheckUrl("127.0.0.1:" + std::to_string(port)), Headers()}).status == 200;
  }
  // A token and a submission with it: the submission's status.
  long Submit(int port, int64_t score) {
    const std::string host = "127.0.0.1:" + std::to_string(port);
    const std::string token = protocol::ReplyToken(http.Get({CheckUrl(host), Headers()}).body);
    const std::string payload =
        protocol::BuildPayload("Ann", score, protocol::kSubmissionKey, token, "");
    return http.Get({SubmitUrl(host, protocol::EncodeSubmission(payload)), Headers()}).status;
  }
  // An upload naming no score: refused, but counted against the client's uploads.
  long Upload(int port) {
    return http
        .Post(
            {"http://127.0.0.1:" + std::to_string(port) + protocol::RecordingTarget(""), Headers()},
            {std::string(protocol::kRecordingContentType), {'r'}})
        .status;
  }
  CurlTransport http;
};

// How many of `tries` requests, going round the servers, were let through.
template <typename Request>
int Allowed(const std::vector<int>& ports, int tries, Request request) {
  int allowed = 0;
  for (int i = 0; i < tries; ++i) allowed += request(ports[i % ports.size()]) ? 1 : 0;
  return allowed;
}

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
  EXPECT_EQ(Allowed(ports, 5, [&](int port) { return submitter.Submit(port, 10) == 200; }), 3);

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
