#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "online/ScoreServer.h"
#include "online/ScoreSubmission.h"
#include "online/Submission.h"

namespace brinecast {
namespace {

// Answers from a list, at once, and remembers what was asked.
class ScriptedTransport : public HttpTransport {
 public:
  explicit ScriptedTransport(std::deque<HttpResult> answers) : answers_(std::move(answers)) {}
  HttpResult Get(const HttpRequest& request) override {
    requests.push_back(request);
    if (answers_.empty()) return {false, 0, "", "no answer scripted"};
    HttpResult next = answers_.front();
    answers_.pop_front();
    return next;
  }
  bool Immediate() const override { return true; }
  std::vector<HttpRequest> requests;

 private:
  std::deque<HttpResult> answers_;
};

HttpResult Reply(const char* body) {
  return {true, 200, body, ""};
}
HttpResult Failure(long status) {
  return {false, status, "OK|1|||tok|", "failed"};
}

const ScoreToSend kEntry{"Ann", -42, "hi"};

std::string ExpectedSubmitUrl(const char* p) {
  return SubmitUrl("h:1", EncodeSubmission(BuildPayload("Ann", -42, kSubmissionKey, p, "hi")));
}

struct FlowCase {
  const char* what;
  std::deque<HttpResult> answers;
  bool reachable;
  const char* p;  // of the submission sent, or nullptr when none is sent
};

TEST(ScoreSubmission, FollowsTheChecksReply) {
  const FlowCase cases[] = {
      {"OK with a token", {Reply("OK|1.0|||tok|"), Reply("OK")}, true, "tok"},
      {"OK and nothing else", {Reply("OK"), Reply("")}, true, ""},
      {"four bars only", {Reply("OK|1|||tok"), Reply("")}, true, ""},
      {"lower case ok", {Reply("ok|1|||tok|")}, false, nullptr},
      {"empty reply", {Reply("")}, false, nullptr},
      {"error status, even with OK in the body", {Failure(500)}, false, nullptr},
      {"no connection", {Failure(0)}, false, nullptr},
      {"submission fails silently", {Reply("OK|1|||tok|"), Failure(503)}, true, "tok"},
  };
  for (const FlowCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedTransport transport(c.answers);
    ScoreSubmission submission(transport, "h:1", kEntry);
    EXPECT_TRUE(submission.Done());
    EXPECT_TRUE(submission.Poll());
    EXPECT_EQ(submission.Reachable(), c.reachable);
    ASSERT_EQ(transport.requests.size(), c.p ? 2u : 1u);
    EXPECT_EQ(transport.requests[0].url, CheckUrl("h:1"));
    EXPECT_EQ(transport.requests[0].headers, ScoreRequestHeaders());
    if (c.p) {
      EXPECT_EQ(transport.requests[1].url, ExpectedSubmitUrl(c.p));
      EXPECT_EQ(transport.requests[1].headers, ScoreRequestHeaders());
    }
  }
}

}  // namespace
}  // namespace brinecast
