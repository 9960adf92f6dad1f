// Tests of a recording's upload and verification inside the server: the upload is tied to
// its submission's token, the queue is bounded, and only a replay that agrees with the
// score proves it; the verifying child is a stand-in script here.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "RecordingClient.h"
#include "RunningServer.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "scores/service/HtmlPages.h"
#include "scores/service/ScoreService.h"
#include "scores/store/SqliteStore.h"
#include "scores/verify/RecordingVerifier.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::PostRecording;
using testing::RawReply;

// Takes places up to its capacity and keeps what was posted.
class FakeQueue : public RecordingQueue {
 public:
  explicit FakeQueue(size_t capacity) : capacity_(capacity) {}
  bool TryReserve() override {
    if (reserved_ >= capacity_) return false;
    ++reserved_;
    return true;
  }
  void Post(int64_t id) override { posted.push_back(id); }
  void Cancel() override { --reserved_; }
  void Free() { reserved_ = posted.size() - 1; }
  std::vector<int64_t> posted;

 private:
  size_t capacity_;
  size_t reserved_ = 0;
};

class UploadTest : public ::testing::Test {
 protected:
  UploadTest() : store_(":memory:"), service_(store_, Limits(), [this] { return now_; }) {}
  static ServiceLimits Limits() {
    ServiceLimits limits;
    limits.submissionsPerMinute = 5;
    limits.uploadWindow = 900;
    return limits;
  }
  std::string Submitted(const std::string& name) {
    const std::string token = protocol::ReplyToken(service_.Check("1.2.3.4").body);
    const Reply sent = service_.Submit(protocol::EncodeSubmission(protocol::BuildPayload(
                                           name, 100, protocol::kSubmissionKey, token, "")),
                                       "1.2.3.4");
    EXPECT_EQ(sent.status, 200) << sent.body;
    return token;
  }
  Reply Upload(const std::string& token, const std::string& bytes = "rec") {
    return service_.Upload(token, bytes, "1.2.3.4");
  }
  int64_t now_ = 1'000'000;
  SqliteStore store_;
  ScoreService service_;
};

TEST_F(UploadTest, WithoutAVerifierTheServerKnowsNoRecordings) {
  EXPECT_EQ(Upload(Submitted("Ann")).status, 404);
}

struct UploadCase {
  const char* what;
  std::string token;
  std::string bytes;
  int status;
};

TEST_F(UploadTest, UploadIsTiedToTheTokenOfAStoredScore) {
  FakeQueue queue(10);
  service_.TakeRecordings(&queue);
  const std::string used = Submitted("Ann");
  const std::string unused = protocol::ReplyToken(service_.Check("1.2.3.4").body);
  std::string altered = used;
  altered.back() = altered.back() == '0' ? '1' : '0';
  const UploadCase cases[] = {
      {"no token", "", "rec", 400},
      {"forged token", "0000000000abcdefghijkl0123456789abcdef0123456789abcdef", "rec", 403},
      {"altered token", altered, "rec", 403},
      {"a token no score was sent with", unused, "rec", 403},
      {"no recording", used, "", 400},
      {"the score's token", used, "rec", 202},
      {"a second recording for it", used, "other", 409},
  };
  for (const UploadCase& c : cases) {
    const Reply reply = Upload(c.token, c.bytes);
    EXPECT_EQ(reply.status, c.status) << c.what << ": " << reply.body;
  }
  ASSERT_EQ(queue.posted.size(), 1u);
  EXPECT_EQ(queue.posted[0], store_.List(1)[0].id);
  const auto waiting = store_.RecordingToVerify(queue.posted[0]);
  ASSERT_TRUE(waiting);
  EXPECT_EQ(waiting->bytes, "rec");
}

// The token's own expiry is for its submission; the recording has its own time after it.
TEST_F(UploadTest, RecordingMayFollowWithinItsWindowOnly) {
  FakeQueue queue(10);
  service_.TakeRecordings(&queue);
  const std::string early = Submitted("Ann");
  const std::string late = Submitted("Bob");
  now_ += 900;
  EXPECT_EQ(Upload(early).status, 202);
  now_ += 1;
  const Reply tooLate = Upload(late);
  EXPECT_EQ(tooLate.status, 410);
  EXPECT_NE(tooLate.body.find("15 minutes"), std::string::npos) << tooLate.body;
}

// A full queue keeps nothing, so the same recording can be sent again once there is room.
TEST_F(UploadTest, FullQueueRefusesWithoutKeepingAndTheUploadCanBeRepeated) {
  FakeQueue queue(1);
  service_.TakeRecordings(&queue);
  const std::string first = Submitted("Ann");
  const std::string second = Submitted("Bob");
  ASSERT_EQ(Upload(first).status, 202);
  const Reply busy = Upload(second);
  EXPECT_EQ(busy.status, 503);
  const std::vector<std::pair<std::string, std::string>> retry = {{"Retry-After", "60"}};
  EXPECT_EQ(busy.headers, retry);
  EXPECT_EQ(store_.WaitingRecordings().size(), 1u);
  queue.Free();
  EXPECT_EQ(Upload(second).status, 202);
  EXPECT_EQ(queue.posted.size(), 2u);
}

TEST_F(UploadTest, UploadsPerAddressPerMinuteAreLimited) {
  FakeQueue queue(100);
  service_.TakeRecordings(&queue);
  // Twice the submissions allowed: each stored score sends one, with room to retry.
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Upload("").status, 400) << i;
  EXPECT_EQ(Upload("").status, 429);
  now_ += 61;
  EXPECT_EQ(Upload("").status, 400);
}

// The stand-in verifier: reads the recording, then prints the report it was given.
std::vector<std::string> Reporting(const std::string& json) {
  return {"/bin/sh", "-c", "cat >/dev/null; printf '%s\\n' \"$0\"", json};
}

std::string Report(const std::string& name, int64_t score, const std::string& note,
                   const std::string& state = "0123456789abcdef") {
  return R"({"score":)" + std::to_string(score) + R"(,"level":2,"frames":900,"state":")" + state +
         R"(","complete":true,"verdict":"complete","scripted":false,"name":")" + name +
         R"(","note":")" + note + R"(","build":"test","message":""})";
}

// A server on a free port with a verifier running `command` for every recording.
struct VerifyingServer {
  explicit VerifyingServer(std::vector<std::string> command, size_t queueLimit = 16,
                           std::chrono::milliseconds wall = 2s) {
    VerifyOptions options;
    options.command = std::move(command);
    options.queueLimit = queueLimit;
    options.limits.wall = wall;
    options.limits.cpuSeconds = 2;
    verifier = std::make_unique<RecordingVerifier>(server.store(), options,
                                                   [this] { server.service().ScoresChanged(); });
    server.service().TakeRecordings(verifier.get());
  }
  ~VerifyingServer() { verifier->Stop(); }
  // Polls until the score's recording has its verdict.
  bool Verified(int64_t id) {
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < end) {
      if (!server.store().RecordingToVerify(id)) return true;
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }
  int64_t IdOf(const std::string& name) {
    for (const StoredScore& s : server.store().List(100)) {
      if (s.entry.name == name) return s.id;
    }
    return 0;
  }
  testing::RunningServer server;
  std::unique_ptr<RecordingVerifier> verifier;
};

std::string Page(const std::string& host) {
  CurlTransport http;
  return http.Get({"http://" + host + protocol::WorldTarget(), {}}).body;
}

TEST(RecordingHttp, AgreeingReplayProvesTheScoreMarksItAndOffersTheRecording) {
  VerifyingServer v(Reporting(Report("Ann", 4200, "yo")));
  ASSERT_GT(v.server.port(), 0);
  const std::string host = v.server.Host();
  const std::string token = testing::SubmitScore(host, "Ann", 4200, "yo");
  ASSERT_FALSE(token.empty());
  // Rendered before the proof: the proof must make it again.
  EXPECT_EQ(Page(host).find("class=\"proven\""), std::string::npos);
  std::string bytes(5000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 13);
  const RawReply accepted = PostRecording(v.server.port(), token, bytes);
  ASSERT_EQ(accepted.status, 202) << accepted.text;
  const int64_t id = v.IdOf("Ann");
  ASSERT_TRUE(v.Verified(id));
  const std::string page = Page(host);
  EXPECT_NE(page.find("<tr class=\"proven\"><td class=\"n r\">1</td><td class=\"s\">Ann"),
            std::string::npos)
      << page;
  const std::string link = RecordingDownloadTarget(id);
  EXPECT_NE(page.find("href=\"" + link + "\""), std::string::npos) << page;
  const RawReply file = testing::Send(v.server.port(), "GET", link);
  EXPECT_EQ(file.status, 200);
  EXPECT_TRUE(file.Body() == bytes);
  EXPECT_TRUE(file.HasHeader("Content-Type: application/octet-stream")) << file.text;
  EXPECT_TRUE(
      file.HasHeader("Content-Disposition: attachment; filename=\"" + RecordingFileName(id) + "\""))
      << file.text;
}

struct ReplayCase {
  const char* what;
  std::vector<std::string> child;
  const char* name;
  int64_t score;
};

// Whatever the replay says or does short of agreeing, the score stays unproven and the
// server goes on.
TEST(RecordingHttp, DisagreeingFailingOrHostileReplaysProveNothing) {
  const ReplayCase cases[] = {
      {"another score", Reporting(Report("Bob", 999, "")), "Bob", 1000},
      {"another name", Reporting(Report("Bobby", 1000, "")), "Bob", 1000},
      {"crashes", {"/bin/sh", "-c", "cat >/dev/null; kill -SEGV $$"}, "Bob", 1000},
      {"hangs", {"/bin/sh", "-c", "sleep 60"}, "Bob", 1000},
      {"prints garbage", {"/bin/sh", "-c", "head -c 100000 /dev/urandom"}, "Bob", 1000},
      {"prints nothing", {"/bin/true"}, "Bob", 1000},
  };
  for (const ReplayCase& c : cases) {
    SCOPED_TRACE(c.what);
    VerifyingServer v(c.child);
    const std::string token = testing::SubmitScore(v.server.Host(), c.name, c.score, "");
    ASSERT_FALSE(token.empty());
    ASSERT_EQ(PostRecording(v.server.port(), token, "recording").status, 202);
    const int64_t id = v.IdOf(c.name);
    ASSERT_TRUE(v.Verified(id));
    EXPECT_FALSE(v.server.store().List(1)[0].entry.proven);
    EXPECT_EQ(testing::Send(v.server.port(), "GET", RecordingDownloadTarget(id)).status, 404);
    EXPECT_EQ(Page(v.server.Host()).find("class=\"proven\""), std::string::npos);
    CurlTransport http;
    EXPECT_EQ(http.Get({"http://" + v.server.Host() + "/health", {}}).status, 200);
  }
}

// One good recording sent for two forged copies of its score proves only the first.
TEST(RecordingHttp, OneGameProvesOneScore) {
  VerifyingServer v(Reporting(Report("Ann", 500, "")));
  const std::string first = testing::SubmitScore(v.server.Host(), "Ann", 500, "");
  const std::string copy = testing::SubmitScore(v.server.Host(), "Ann", 500, "");
  ASSERT_FALSE(first.empty() || copy.empty());
  ASSERT_EQ(PostRecording(v.server.port(), first, "game").status, 202);
  ASSERT_EQ(PostRecording(v.server.port(), copy, "game").status, 202);
  const std::vector<StoredScore> rows = v.server.store().List(2);
  ASSERT_EQ(rows.size(), 2u);
  ASSERT_TRUE(v.Verified(rows[0].id) && v.Verified(rows[1].id));
  EXPECT_EQ(v.server.store().Ranked(10, true).size(), 1u);
}

// The queue counts the recording being replayed: with room for one, a second waits for it.
// A stop kills the replay at work, which leaves its recording waiting for the next start.
TEST(RecordingHttp, FullQueueAnswers503AndAStopKillsTheReplayAtWork) {
  VerifyingServer v({"/bin/sh", "-c", "cat >/dev/null; sleep 60"}, 1, 60s);
  const std::string first = testing::SubmitScore(v.server.Host(), "Ann", 1, "");
  const std::string second = testing::SubmitScore(v.server.Host(), "Bob", 2, "");
  ASSERT_FALSE(first.empty() || second.empty());
  ASSERT_EQ(PostRecording(v.server.port(), first, "one").status, 202);
  const testing::RawReply busy = PostRecording(v.server.port(), second, "two");
  EXPECT_EQ(busy.status, 503);
  EXPECT_TRUE(busy.HasHeader("Retry-After: 60")) << busy.text;
  const auto start = std::chrono::steady_clock::now();
  v.verifier->Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_EQ(v.server.store().WaitingRecordings(), std::vector<int64_t>{v.IdOf("Ann")});
}

struct RefusalCase {
  const char* what;
  std::string method;
  std::string target;
  std::string body;
  bool chunked;
  int status;  // 0: closed without a reply
};

TEST(RecordingHttp, RefusesWrongMethodsTooLargeBodiesAndUnknownDownloads) {
  VerifyingServer v({"/bin/true"});
  const std::string token = testing::SubmitScore(v.server.Host(), "Ann", 1, "");
  const std::string target = protocol::RecordingTarget(token);
  const std::string huge(protocol::kRecordingMaxBytes + 1, 'h');
  const RefusalCase cases[] = {
      {"GET of the upload", "GET", target, "", false, 405},
      {"a declared length past the cap", "POST", target, huge, false, 413},
      {"chunks past the cap", "POST", target, huge, true, 0},
      {"POST elsewhere", "POST", protocol::WorldTarget(), "x", false, 405},
      {"download of no score", "GET", RecordingDownloadTarget(999), "", false, 404},
      {"download of an unproven score", "GET", RecordingDownloadTarget(1), "", false, 404},
      {"download of no number", "GET", "/recordings/x1", "", false, 404},
  };
  for (const RefusalCase& c : cases) {
    const RawReply reply = testing::Send(v.server.port(), c.method, c.target, c.body, c.chunked);
    EXPECT_EQ(reply.status, c.status) << c.what << ": " << reply.text.substr(0, 200);
  }
  EXPECT_TRUE(testing::Send(v.server.port(), "GET", target).HasHeader("Allow: POST"));
  // None of it was kept, and the score's own upload still goes through at the cap.
  EXPECT_TRUE(v.server.store().WaitingRecordings().empty());
  const RawReply atCap = PostRecording(v.server.port(), token, huge.substr(1));
  EXPECT_EQ(atCap.status, 202) << atCap.text;
}

}  // namespace
}  // namespace brinecast::scores
