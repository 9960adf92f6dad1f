// Slow uploads against the built server: forged tokens hold no place for a body, and one
// address with good tokens holds only its share of the places, so an honest player's
// recording is still taken and proven.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ProvingServer.h"
#include "RawConnection.h"
#include "RecordingClient.h"
#include "WaitFor.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::RawConnection;

// An upload that declares a large body and sends only its first bytes, as a slow client does.
std::unique_ptr<RawConnection> SlowUpload(int port, const std::string& from,
                                          const std::string& token) {
  auto c = std::make_unique<RawConnection>(port, from);
  c->Send("POST " + protocol::RecordingTarget(token) +
          " HTTP/1.1\r\nHost: t\r\nContent-Length: 1000000\r\n\r\nBCRE");
  return c;
}

// Notes the status each connection has been answered with so far; 0 while it has no reply.
void Answers(std::vector<std::unique_ptr<RawConnection>>& connections, std::vector<int>& statuses) {
  statuses.resize(connections.size());
  for (size_t i = 0; i < connections.size(); ++i) {
    if (statuses[i] != 0) continue;
    const std::vector<int> got = RawConnection::Statuses(connections[i]->Receive(20ms));
    if (!got.empty()) statuses[i] = got.front();
  }
}

TEST(UploadAttack, ForgedTokensAreRefusedBeforeTheyHoldAPlace) {
  ProvingServer server;
  ASSERT_GT(Game().end.score, 0);
  std::vector<std::unique_ptr<RawConnection>> slow;
  for (int i = 0; i < 32; ++i) {
    slow.push_back(SlowUpload(server.port, "127.0.0." + std::to_string(2 + i % 4), "anything"));
  }
  std::vector<std::string> replies(slow.size());
  for (size_t i = 0; i < slow.size(); ++i) replies[i] = slow[i]->Receive(5s, 1);
  for (const std::string& reply : replies) {
    EXPECT_EQ(RawConnection::Statuses(reply), std::vector<int>{403}) << reply;
  }
  server.ProveHonestGame();
  EXPECT_TRUE(server.Logged("\"Unknown token\""));
}

// Slow uploads with good tokens from one address: `held` are held open reading their
// bodies; the rest are refused at once, with the number in the log.
void OnlyItsShareIsHeld(ProvingServer& server, int held, int sent) {
  std::vector<std::unique_ptr<RawConnection>> slow;
  for (int i = 0; i < sent; ++i) {
    CurlTransport http;
    const std::string token =
        protocol::ReplyToken(http.Get({CheckUrl(server.Host()), ScoreRequestHeaders()}).body);
    ASSERT_FALSE(token.empty());
    slow.push_back(SlowUpload(server.port, "127.0.0.9", token));
  }
  std::vector<int> answers;
  EXPECT_TRUE(testing::WaitFor(
      [&] {
        Answers(slow, answers);
        return std::count(answers.begin(), answers.end(), 429) == sent - held;
      },
      10s));
  EXPECT_EQ(std::count(answers.begin(), answers.end(), 0), held) << server.process->Err();
  EXPECT_TRUE(server.Logged("\"Too many uploads at once from this client: at most " +
                            std::to_string(held)));
}

TEST(UploadAttack, OneAddressWithGoodTokensHoldsOnlyItsShareOfThePlaces) {
  ProvingServer server;
  ASSERT_GT(Game().end.score, 0);
  OnlyItsShareIsHeld(server, 4, 12);
  server.ProveHonestGame();
}

// The operator sets the share.
TEST(UploadAttack, TheShareOfOneAddressIsTheOperators) {
  ProvingServer server({"--uploads-per-client", "2"});
  OnlyItsShareIsHeld(server, 2, 5);
}

}  // namespace
}  // namespace brinecast::scores
