// Tests of the score server's addresses: the URLs, fixed headers, valid hosts and the
// chosen address's override.
#include <gtest/gtest.h>

#include <string>

#include "online/ScoreServer.h"
#include "protocol/Requests.h"

namespace brinecast {
namespace {

TEST(ScoreServerUrls, ExactUrls) {
  EXPECT_EQ(CheckUrl("example.net"), "http://example.net/cgi/version.pl?version&prg=Brinecast");
  EXPECT_EQ(SubmitUrl("127.0.0.1:8765", "NFTGG3DF"),
            "http://127.0.0.1:8765/cgi/version.pl?hs&prg=Brinecast&inf=NFTGG3DF");
  EXPECT_EQ(WorldScoresUrl("h:1"), "http://h:1/cgi/version.pl?prg=Brinecast&show&type=0");
  EXPECT_EQ(PortalUrl("h:1"), "http://h:1/");
  EXPECT_EQ(RecordingUrl("h:1", "0aF9"), "http://h:1/cgi/recording?p=0aF9");
}

TEST(ScoreServerUrls, RecordingUrlKeepsAnyTokenInOnePiece) {
  const char* tokens[] = {"", "abc123", "a&p=evil", "x y/z?#", "%41", "\xff\x01"};
  for (const char* token : tokens) {
    const std::string url = RecordingUrl("scores.example:80", token);
    const std::string prefix = "http://scores.example:80";
    ASSERT_EQ(url.rfind(prefix, 0), 0u) << url;
    const std::string target = url.substr(prefix.size());
    EXPECT_EQ(protocol::TargetPath(target), protocol::kRecordingPath) << url;
    EXPECT_EQ(protocol::RecordingToken(target), token) << url;
    EXPECT_EQ(target.find_first_of(" #&", target.find('?') + 3), std::string::npos) << url;
  }
}

TEST(ScoreServerUrls, FixedHeaders) {
  const std::vector<std::string> expected = {"User-Agent: Mozilla/3.0 (compatible; Brinecast)",
                                             "Accept: text/html, */*", "Content-Type: text/html"};
  EXPECT_EQ(ScoreRequestHeaders(), expected);
}

struct HostCase {
  const char* host;
  bool valid;
};

TEST(ScoreServerHost, ValidHosts) {
  const HostCase cases[] = {
      {"localhost", true},      {"localhost:8765", true}, {"127.0.0.1:1", true},
      {"scores.example", true}, {"a-b.c:65535", true},    {"", false},
      {":80", false},           {"host:", false},         {"host:0", false},
      {"host:65536", false},    {"host:12a", false},      {"host:123456", false},
      {"ho st", false},         {"host/path", false},     {"user@host", false},
      {"host:80:81", false},    {"http://host", false},   {"host?x", false},
  };
  for (const HostCase& c : cases) EXPECT_EQ(IsValidServerHost(c.host), c.valid) << c.host;
}

TEST(ScoreServerHost, AValidChoiceOverridesTheBuiltInAddress) {
  EXPECT_EQ(BuiltInScoreServer(), BRINECAST_TEST_SCORE_SERVER_DEFAULT);
  const struct {
    const char* chosen;
    std::string host;
  } cases[] = {
      {nullptr, BRINECAST_TEST_SCORE_SERVER_DEFAULT},
      {"scores.example:9000", "scores.example:9000"},
      {"http://evil/x?", BRINECAST_TEST_SCORE_SERVER_DEFAULT},
      {"", BRINECAST_TEST_SCORE_SERVER_DEFAULT},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScoreServerHost(c.chosen), c.host) << (c.chosen ? c.chosen : "(none)");
  }
}

}  // namespace
}  // namespace brinecast
