// A load test of the score server: many clients submitting at once, nothing lost or doubled.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "RunningServer.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"

namespace brinecast::scores {
namespace {

// 20 clients each send 100 check and submit pairs at once over loopback; every score must
// arrive exactly once. Bounded in count; each request by the client's time-outs.
TEST(ScoreServerLoad, TwoThousandPairsFromTwentyClientsNothingLostOrDoubled) {
  constexpr int kClients = 20;
  constexpr int kPairs = 100;
  ServiceLimits limits;
  limits.submissionsPerMinute = kClients * kPairs;
  limits.checksPerMinute = kClients * kPairs;
  // Every client comes from 127.0.0.1, which may then hold more connections than one would.
  scores::HttpOptions http = testing::QuietHttp();
  http.watch.perKey = kClients;
  testing::RunningServer server(limits, http);
  ASSERT_GT(server.port(), 0);

  std::atomic<int> failures{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      CurlTransport http;
      for (int i = 0; i < kPairs; ++i) {
        const HttpResult check = http.Get({CheckUrl(server.Host()), ScoreRequestHeaders()});
        const std::string name = "c" + std::to_string(c) + "n" + std::to_string(i);
        const std::string payload = protocol::BuildPayload(
            name, c * 1000 + i, protocol::kSubmissionKey, protocol::ReplyToken(check.body), "load");
        const HttpResult sent = http.Get(
            {SubmitUrl(server.Host(), protocol::EncodeSubmission(payload)), ScoreRequestHeaders()});
        if (!check.ok || !sent.ok) ++failures;
      }
    });
  }
  for (std::thread& t : clients) t.join();

  EXPECT_EQ(failures.load(), 0);
  const std::vector<ScoreEntry> all = server.store().Top(kClients * kPairs + 10);
  ASSERT_EQ(all.size(), static_cast<size_t>(kClients * kPairs));
  std::set<std::string> names;
  for (const ScoreEntry& e : all) {
    names.insert(e.name);
    const size_t n = e.name.find('n');
    ASSERT_NE(n, std::string::npos) << e.name;
    EXPECT_EQ(e.score, std::stoi(e.name.substr(1, n - 1)) * 1000 + std::stoi(e.name.substr(n + 1)));
  }
  EXPECT_EQ(names.size(), all.size());
}

}  // namespace
}  // namespace brinecast::scores
