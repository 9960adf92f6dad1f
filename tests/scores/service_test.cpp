// Tests of the score service: checks, submissions, tokens, rate limits, the full table and
// texts.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "online/ServerReply.h"
#include "online/Submission.h"
#include "scores/ScoreService.h"
#include "scores/SqliteStore.h"

namespace brinecast::scores {
namespace {

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
    return ReplyP(reply.body);
  }

  Reply Send(const std::string& token, const std::string& name = "Ann", int64_t score = 100,
             const std::string& text = "hi", const std::string& address = "1.2.3.4") {
    return service_.Submit(EncodeSubmission(BuildPayload(name, score, 'B', token, text)), address);
  }

  int64_t now_ = 1'000'000;
  SqliteStore store_;
  ScoreService service_;
};

TEST_F(ServiceTest, CheckReplyIsWhatTheGameReads) {
  const Reply reply = service_.Check("1.2.3.4");
  EXPECT_EQ(reply.status, 200);
  EXPECT_TRUE(ReplyIsOk(reply.body));
  EXPECT_TRUE(reply.body.starts_with("OK|1.0|||")) << reply.body;
  EXPECT_TRUE(reply.body.ends_with("|")) << reply.body;
  EXPECT_EQ(ReplyP(reply.body).size(), 24u);
  EXPECT_NE(ReplyP(service_.Check("1.2.3.4").body), ReplyP(reply.body));
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
  const std::string payload = BuildPayload("Ann", 1, 'B', token, "");
  const std::string bad[] = {
      "",
      "not encoded",
      EncodeSubmission(payload).substr(8),                                 // cut short
      EncodeSubmission(BuildPayload("Ann", 1, 'B', token, "") + "00000"),  // padded too much
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

TEST_F(ServiceTest, FullTableRefusesNewScores) {
  for (int i = 0; i < 5; ++i) {
    const std::string address = "10.0.0." + std::to_string(i);
    EXPECT_EQ(Send(Token(address), "n", i, "", address).status, 200);
  }
  const Reply full = Send(Token("10.0.1.1"), "n", 5, "", "10.0.1.1");
  EXPECT_EQ(full.status, 507) << full.body;
  EXPECT_EQ(store_.CountScores(), 5);
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

TEST(NewToken, LettersAndDigitsAndNeverTheSameTwice) {
  std::set<std::string> seen;
  for (int i = 0; i < 1000; ++i) {
    const std::string token = NewToken();
    ASSERT_EQ(token.size(), 24u);
    for (char c : token) ASSERT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << token;
    seen.insert(token);
  }
  EXPECT_EQ(seen.size(), 1000u);
}

}  // namespace
}  // namespace brinecast::scores
