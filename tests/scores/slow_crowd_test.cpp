// Many slow connections against the built server: 200 addresses holding 16 connections each,
// every one trickling its headers, while an honest player checks and submits. The player's
// requests are still answered, within a second at the 99th percentile.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "RawConnection.h"
#include "RecordingClient.h"
#include "ServerProcess.h"
#include "SlowCrowd.h"
#include "WaitFor.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "protocol/Requests.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kAddresses = 200;
constexpr int kEach = 16;

// One request on a fresh connection, as the game sends it: its reply and how long it took.
struct Timed {
  testing::RawReply reply;
  std::chrono::duration<double> took{};
};

Timed Ask(int port, const std::string& target) {
  const auto start = Clock::now();
  testing::RawConnection c(port);
  c.Send("GET " + target + " HTTP/1.1\r\nHost: t\r\nConnection: close\r\n\r\n");
  Timed timed{testing::ReadReply(c)};
  timed.took = Clock::now() - start;
  return timed;
}

bool RaiseOpenFiles(rlim_t wanted) {
  rlimit files{};
  if (getrlimit(RLIMIT_NOFILE, &files) != 0) return false;
  // Root may lift its own ceiling (a container's is often low); anyone else gets EPERM.
  if (files.rlim_max < wanted) files.rlim_max = wanted;
  files.rlim_cur = files.rlim_max;
  return setrlimit(RLIMIT_NOFILE, &files) == 0;
}

TEST(SlowCrowd, HonestChecksAndSubmissionsAreAnsweredWithinASecond) {
  if (!RaiseOpenFiles(kAddresses * kEach + 512)) {
    GTEST_SKIP() << "the open-file limit cannot hold " << kAddresses * kEach << " connections";
  }
  testing::ScratchFolder folder;
  const int port = testing::FreeLoopbackPort();
  testing::ServerProcess server({"--port", std::to_string(port), "--db",
                                 (folder.Path() / "scores.db").string(), "--submissions-per-minute",
                                 "50"});
  ASSERT_TRUE(server.WaitListening()) << server.Err();
  testing::SlowCrowd crowd(port, kAddresses, kEach);
  ASSERT_TRUE(testing::WaitFor([&] { return crowd.Holding() >= kAddresses * kEach * 9 / 10; }, 20s))
      << crowd.Holding() << " held";

  std::vector<double> seconds;
  for (int i = 0; i < 30; ++i) {
    const Timed check = Ask(port, protocol::CheckTarget());
    EXPECT_TRUE(protocol::ReplyIsOk(check.reply.Body())) << check.reply.text;
    seconds.push_back(check.took.count());
    if (i % 3 != 0) continue;
    const std::string payload = protocol::BuildPayload(
        "ANN", 100 + i, protocol::kSubmissionKey, protocol::ReplyToken(check.reply.Body()), "");
    const Timed sent = Ask(port, protocol::SubmitTarget(protocol::EncodeSubmission(payload)));
    EXPECT_EQ(sent.reply.Body(), protocol::kOk) << sent.reply.text;
    seconds.push_back(sent.took.count());
  }
  // The crowd was there all along, and the server cut it off only by its deadlines.
  EXPECT_GE(crowd.Holding(), kAddresses * kEach / 2);
  std::sort(seconds.begin(), seconds.end());
  const double p99 = seconds[seconds.size() * 99 / 100];
  EXPECT_LT(p99, 1.0) << "slowest " << seconds.back() << " s of " << seconds.size();
  server.Signal(SIGTERM);
  EXPECT_TRUE(server.Exited(10s));
}

}  // namespace
}  // namespace brinecast::scores
