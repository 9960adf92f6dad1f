// Tests of the score server's HTTP routes: the game's check and submission, and what is
// refused.
#include <gtest/gtest.h>

#include <string>

#include "RunningServer.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "protocol/Requests.h"

namespace brinecast::scores {
namespace {

using testing::RunningServer;

HttpResult Get(HttpTransport& http, const std::string& url) {
  return http.Get({url, ScoreRequestHeaders()});
}

TEST(ScoreHttp, GameCheckAndSubmissionThenThePageShowsTheScore) {
  RunningServer server;
  ASSERT_GT(server.port(), 0);
  CurlTransport http;
  const HttpResult check = Get(http, CheckUrl(server.Host()));
  ASSERT_TRUE(check.ok) << check.error;
  ASSERT_TRUE(protocol::ReplyIsOk(check.body)) << check.body;
  const std::string payload = protocol::BuildPayload("<Nemo>", 4321, protocol::kSubmissionKey,
                                                     protocol::ReplyToken(check.body), "&co");
  const HttpResult submit =
      Get(http, SubmitUrl(server.Host(), protocol::EncodeSubmission(payload)));
  ASSERT_TRUE(submit.ok) << submit.error << submit.body;
  EXPECT_EQ(submit.body, protocol::kOk);
  const HttpResult page = Get(http, WorldScoresUrl(server.Host()));
  ASSERT_TRUE(page.ok) << page.error;
  EXPECT_NE(page.body.find("&lt;Nemo&gt;"), std::string::npos);
  EXPECT_NE(page.body.find(">4\u202f321<"), std::string::npos);
  EXPECT_NE(page.body.find("&amp;co"), std::string::npos);
  const HttpResult home = Get(http, PortalUrl(server.Host()));
  ASSERT_TRUE(home.ok) << home.error;
  EXPECT_NE(home.body.find("show&amp;type=0"), std::string::npos);
}

struct RouteCase {
  const char* target;
  long status;
};

TEST(ScoreHttp, RefusesWhatItDoesNotKnow) {
  RunningServer server;
  ASSERT_GT(server.port(), 0);
  const std::string longTarget = protocol::SubmitTarget(std::string(2000, 'A'));
  const RouteCase cases[] = {
      {"/cgi/version.pl?version&prg=Other", 404},
      {"/cgi/version.pl?version", 404},
      {"/cgi/version.pl?prg=Brinecast", 400},
      {"/cgi/version.pl?prg=Brinecast&show&type=1", 400},
      {"/cgi/version.pl?hs&prg=Brinecast&inf=", 400},
      {"/cgi/version.pl?hs&prg=Brinecast&inf=NFTGG3DF", 400},
      {"/cgi/version.pl?hs&prg=Brinecast", 400},
      {"/nothing", 404},
      {longTarget.c_str(), 414},
  };
  CurlTransport http;
  for (const RouteCase& c : cases) {
    const HttpResult result = Get(http, "http://" + server.Host() + c.target);
    EXPECT_FALSE(result.ok) << c.target;
    EXPECT_EQ(result.status, c.status) << c.target;
  }
  EXPECT_EQ(server.store().CountScores(), 0);
}

}  // namespace
}  // namespace brinecast::scores
