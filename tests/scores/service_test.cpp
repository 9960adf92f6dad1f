// Tests of the score service: checks, submissions, tokens, rate limits, the full table and
// texts.
#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "scores/service/ScoreService.h"
#include "scores/store/SqliteStore.h"

namespace brinecast::scores {
namespace {

using protocol::BuildPayload;
using protocol::EncodeSubmission;
using protocol::kSubmissionKey;
using protocol::ReplyToken;

// A service on an in-memory store with a clock the test moves.
class ServiceTest : public ::testing::Test {
 protected:
  ServiceTest() : store_(":memory:"), service_(store_, Limits(), [this] { return now_; }) {}

  static ServiceLimits Limits() {
    ServiceLimits limits;
    limits.submissionsPerMinute = 3;
    limits.checksPerMinute = 5;
    limits.maxScores = 5;
    return limits;
  }

  std::string Token(const std::string& address = "1.2.3.4") {
    const Reply reply = service_.Check(address);
    EXPECT_EQ(reply.status, 200) << reply.body;
    return ReplyToken(reply.body);
  }

  Reply Send(const std::string& token, const std::string& name = "Ann", int64_t score = 100,
             const std::string& text = "hi", const std::string& address = "1.2.3.4") {
    return service_.Submit(EncodeSubmission(BuildPayload(name, score, kSubmissionKey, token, text)),
                           address);
  }

  int64_t now_ = 1'000'000;
  SqliteStore store_;
  ScoreService service_;
};

TEST_F(ServiceTest, CheckReplyIsWhatTheGameReads) {
  const Reply reply = service_.Check("1.2.3.4");
  EXPECT_EQ(reply.status, 200);
  EXPECT_TRUE(protocol::ReplyIsOk(reply.body));
  EXPECT_EQ(reply.body, protocol::CheckReply(kServerVersion, ReplyToken(reply.body)));
  EXPECT_EQ(ReplyToken(reply.body).size(), 54u);
  EXPECT_NE(ReplyToken(service_.Check("1.2.3.4").body), ReplyToken(reply.body));
}

TEST_F(ServiceTest, GoodSubmissionIsStoredOnceWithItsTimeAndAddress) {
  const std::string token = Token();
  EXPECT_EQ(Send(token, "Ann", -50, "first!").status, 200);
  const Reply again = Send(token, "Ann", 999999);
  EXPECT_EQ(again.status, 403) << again.body;
  const auto top = store_.Top(10);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].name, "Ann");
  EXPECT_EQ(top[0].score, -50);
  EXPECT_EQ(top[0].text, "first!");
  EXPECT_EQ(top[0].time, now_);
  EXPECT_EQ(top[0].address, "1.2.3.4");
}

TEST_F(ServiceTest, UnknownAndExpiredTokensAreRefused) {
  EXPECT_EQ(Send("NeverIssued").status, 403);
  const std::string token = Token();
  now_ += 601;  // tokens live ten minutes
  EXPECT_EQ(Send(token).status, 403);
  const std::string fresh = Token();
  now_ += 599;
  EXPECT_EQ(Send(fresh).status, 200);
  EXPECT_EQ(store_.CountScores(), 1);
}

TEST_F(ServiceTest, MalformedSubmissionIs400AndStoresNothingNorUsesTheToken) {
  const std::string token = Token();
  const std::string payload = BuildPayload("Ann", 1, kSubmissionKey, token, "");
  const std::string bad[] = {
      "",
      "not encoded",
      EncodeSubmission(payload).substr(8),  // cut short
      EncodeSubmission(BuildPayload("Ann", 1, kSubmissionKey, token, "") +
                       "00000"),  // padded too much
      EncodeSubmission("type=0|name=A|score=x|key=B|p=" + token + "|add=|z=00000"),
  };
  for (const std::string& encoded : bad) {
    EXPECT_EQ(service_.Submit(encoded, "1.2.3.4").status, 400) << encoded;
  }
  EXPECT_EQ(store_.CountScores(), 0);
  EXPECT_EQ(Send(token, "Ann", 1, "").status, 200);  // the token was not spent
}

TEST_F(ServiceTest, SubmissionsPerAddressPerMinuteAreLimited) {
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Send(Token()).status, 200);
  const std::string token = Token();
  EXPECT_EQ(Send(token).status, 429);
  EXPECT_EQ(Send(Token("9.9.9.9"), "Other", 1, "", "9.9.9.9").status, 200);  // others may
  now_ += 61;
  EXPECT_EQ(Send(token).status, 200);  // the refused one kept its token
}

TEST_F(ServiceTest, ChecksPerAddressPerMinuteAreLimited) {
  for (int i = 0; i < 5; ++i) EXPECT_EQ(service_.Check("5.5.5.5").status, 200);
  EXPECT_EQ(service_.Check("5.5.5.5").status, 429);
  EXPECT_EQ(service_.Check("6.6.6.6").status, 200);
  now_ += 61;
  EXPECT_EQ(service_.Check("5.5.5.5").status, 200);
}

// A full table keeps its best five: a score below them is refused, one among them gets in.
TEST_F(ServiceTest, FullTableKeepsTheBestAndTakesANewRecord) {
  for (int i = 0; i < 5; ++i) {
    const std::string address = "10.0.0." + std::to_string(i);
    EXPECT_EQ(Send(Token(address), "n", 10 * (i + 1), "", address).status, 200);
  }
  const Reply low = Send(Token("10.0.1.1"), "low", 10, "", "10.0.1.1");
  EXPECT_EQ(low.status, 507) << low.body;
  const Reply record = Send(Token("10.0.1.2"), "record", 1000, "", "10.0.1.2");
  EXPECT_EQ(record.status, 200) << record.body;
  EXPECT_EQ(store_.CountScores(), 5);
  EXPECT_EQ(store_.Top(1)[0].name, "record");
  EXPECT_EQ(store_.Top(5).back().score, 20);
}

// Sent all at once, the submissions of one address still stop at its limit.
TEST_F(ServiceTest, SubmissionsSentAtOnceKeepTheLimit) {
  std::vector<std::string> tokens;
  for (int i = 0; i < 20; ++i) tokens.push_back(Token("7.7.7." + std::to_string(i)));
  std::vector<std::thread> threads;
  std::atomic<int> accepted{0};
  for (const std::string& token : tokens) {
    threads.emplace_back([&, token] {
      if (Send(token, "r", 1, "", "7.7.7.7").status == 200) ++accepted;
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(accepted.load(), 3);
}

// Every address of one IPv6 /64 shares one limit; IPv4 addresses each have their own.
TEST_F(ServiceTest, ChecksAreLimitedPerIpv6Slash64) {
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(service_.Check("2001:db8:1:2::" + std::to_string(i + 1)).status, 200);
  }
  EXPECT_EQ(service_.Check("2001:db8:1:2:ffff::9").status, 429);
  EXPECT_EQ(service_.Check("2001:db8:1:3::1").status, 200);
}

// Checks store nothing: however many clients ask, a fresh one gets a token.
TEST_F(ServiceTest, ChecksFromManyAddressesNeverRunOut) {
  // More checks than the old store of issued tokens held (100,000).
  for (int i = 0; i < 20'001; ++i) {
    const std::string address =
        "10." + std::to_string(i / 250) + "." + std::to_string(i % 250) + ".1";
    for (int j = 0; j < 5; ++j) ASSERT_EQ(service_.Check(address).status, 200) << address;
  }
  const std::string token = Token("192.0.2.1");
  EXPECT_EQ(Send(token, "fresh", 1, "", "192.0.2.1").status, 200);
}

TEST_F(ServiceTest, ForgedOrAlteredTokensAreRefused) {
  const std::string token = Token();
  std::string altered = token;
  altered[3] = altered[3] == '9' ? '8' : '9';  // a later expiry
  EXPECT_EQ(Send(altered).status, 403);
  TokenSigner other(NewSecret());
  EXPECT_EQ(Send(other.Issue(now_ + 100)).status, 403);
  EXPECT_EQ(Send(token).status, 200);
}

TEST_F(ServiceTest, TextsAreStoredAsUtf8AndEscapedOnThePage) {
  EXPECT_EQ(Send(Token(), "<b>J\xe9r\xf4me", 7, "a&b \"q\"").status, 200);
  EXPECT_EQ(store_.Top(1)[0].name, "<b>J\xc3\xa9r\xc3\xb4me");
  const Reply page = service_.World();
  EXPECT_EQ(page.status, 200);
  EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
  EXPECT_NE(page.body.find("&lt;b&gt;J\xc3\xa9r\xc3\xb4me"), std::string::npos);
  EXPECT_NE(page.body.find("a&amp;b &quot;q&quot;"), std::string::npos);
  EXPECT_EQ(page.body.find("<b>"), std::string::npos);
}

TEST(TokenSigner, LettersAndDigitsNeverTheSameTwiceAndCheckedAgainstTheirExpiry) {
  const TokenSigner signer(NewSecret());
  std::set<std::string> seen;
  for (int i = 0; i < 1000; ++i) {
    const std::string token = signer.Issue(5000);
    ASSERT_LE(token.size(), protocol::kMaxTokenLength);
    for (char c : token) ASSERT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << token;
    EXPECT_EQ(signer.Verify(token, 5000), 5000);
    EXPECT_FALSE(signer.Verify(token, 5001));
    seen.insert(token);
  }
  EXPECT_EQ(seen.size(), 1000u);
  EXPECT_FALSE(signer.Verify("", 0));
  EXPECT_FALSE(signer.Verify(std::string(54, 'A'), 0));
}

}  // namespace
}  // namespace brinecast::scores
