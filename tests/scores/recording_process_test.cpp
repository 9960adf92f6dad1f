// Tests of proven scores through the built brinecast-scores executable: recordings are taken
// only with the game's data at hand, damaged, huge and garbage ones leave it healthy, and
// proven rows, their recordings and the waiting ones survive a restart.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "RecordingClient.h"
#include "ServerProcess.h"
#include "scores/service/HtmlPages.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::PostRecording;
using testing::ScratchFolder;
using testing::ServerProcess;

// A server on a SQLite file, with a game folder that holds Data/ unless told otherwise.
struct Served {
  ScratchFolder folder;
  std::string db = (folder.Path() / "scores.db").string();
  std::string game = (folder.Path() / "game").string();
  int port = -1;
  std::unique_ptr<ServerProcess> process;

  explicit Served(bool withData = true) {
    std::filesystem::create_directories(game);
    if (withData) std::filesystem::create_directories(game + "/Data");
  }
  bool Start(std::vector<std::string> extra = {}) {
    Stop();
    port = testing::FreeLoopbackPort();
    std::vector<std::string> args = {"--port", std::to_string(port), "--db", db, "--game-data",
                                     game,     "--verify-seconds",   "5"};
    args.insert(args.end(), extra.begin(), extra.end());
    process = std::make_unique<ServerProcess>(args);
    return process->WaitListening();
  }
  void Stop() {
    if (!process) return;
    process->Signal(SIGTERM);
    EXPECT_TRUE(process->Exited(10s));
    EXPECT_EQ(process->status(), 0) << process->Err();
  }
  std::string Host() const { return "127.0.0.1:" + std::to_string(port); }
  // Polls the log for `text`.
  bool Logged(const std::string& text) {
    const auto end = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < end) {
      if (process->Err().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }
  std::string Page() {
    CurlTransport http;
    return http.Get({"http://" + Host() + protocol::WorldTarget(), {}}).body;
  }
  bool Healthy() {
    CurlTransport http;
    const HttpResult check = http.Get({CheckUrl(Host()), ScoreRequestHeaders()});
    return http.Get({"http://" + Host() + "/health", {}}).body == "OK\n" &&
           protocol::ReplyIsOk(check.body);
  }
};

bool Sql(const std::string& file, const std::string& sql) {
  sqlite3* db = nullptr;
  const bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
                  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

TEST(RecordingProcess, WithoutTheGamesDataRecordingsAreNotTakenButScoresAre) {
  Served served(false);
  ASSERT_TRUE(served.Start()) << served.process->Err();
  EXPECT_TRUE(served.Logged("recordings are not taken: " + served.game + " holds no Data/"));
  const std::string token = testing::SubmitScore(served.Host(), "Ann", 10, "");
  ASSERT_FALSE(token.empty());
  EXPECT_EQ(PostRecording(served.port, token, "rec").status, 404);
}

TEST(RecordingProcess, HelpNamesTheOptions) {
  const testing::Finished help = testing::RunScores({"--help"});
  for (const char* option : {"--game-data", "--proven-only", "--verify-workers", "--verify-queue",
                             "--verify-seconds", "--verify-memory"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

struct Hostile {
  const char* what;
  std::string bytes;
  int status;  // 0: closed without a reply
  bool chunked = false;
};

TEST(RecordingProcess, DamagedHugeAndGarbageRecordingsLeaveTheServerHealthy) {
  Served served;
  ASSERT_TRUE(served.Start({"--submissions-per-minute", "20"})) << served.process->Err();
  std::string garbage(protocol::kRecordingMaxBytes, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) {
    garbage[i] = static_cast<char>((i * 2654435761U) >> 13U);
  }
  const Hostile cases[] = {
      {"garbage at the cap", garbage, 202},
      {"a few bytes", "BCR\x01\x02", 202},
      {"zeros", std::string(4096, '\0'), 202},
      {"past the cap", garbage + "x", 413},
      {"chunks past the cap", garbage + garbage, 0, true},
  };
  int accepted = 0;
  int n = 0;
  for (const Hostile& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string token =
        testing::SubmitScore(served.Host(), "Player" + std::to_string(++n), 100, "");
    ASSERT_FALSE(token.empty());
    const testing::RawReply reply = PostRecording(served.port, token, c.bytes, c.chunked);
    EXPECT_EQ(reply.status, c.status) << reply.text.substr(0, 200);
    if (reply.status == 202) ++accepted;
    EXPECT_TRUE(served.Healthy());
  }
  for (int id = 1; id <= accepted; ++id) {
    EXPECT_TRUE(served.Logged("recording of score " + std::to_string(id) + ": not proven"))
        << served.process->Err();
  }
  EXPECT_TRUE(served.Healthy());
  EXPECT_EQ(served.Page().find("class=\"proven\""), std::string::npos);
  const testing::Finished list = testing::RunScores({"admin", "--db", served.db, "list"});
  EXPECT_EQ(list.out.find("proven"), std::string::npos) << list.out;
}

// A proof in the file stays one after a restart; a recording left waiting by a stop is
// verified by the next start. The proof is written straight into the file here, as only a
// replay of a real game can make one.
TEST(RecordingProcess, ProvenRowsAndWaitingRecordingsSurviveARestart) {
  Served served;
  ASSERT_TRUE(served.Start()) << served.process->Err();
  const std::string ann = testing::SubmitScore(served.Host(), "Ann", 900, "");
  const std::string bob = testing::SubmitScore(served.Host(), "Bob", 800, "");
  ASSERT_FALSE(ann.empty() || bob.empty());
  const std::string recording = std::string("ann's game\0\xff", 12);
  ASSERT_EQ(PostRecording(served.port, ann, recording).status, 202);
  ASSERT_TRUE(served.Logged("recording of score 1: not proven"));
  served.Stop();
  ASSERT_TRUE(Sql(served.db,
                  "UPDATE recordings SET state = 'proven', game = 'g' WHERE score_id = 1;"
                  "UPDATE scores SET proven = 1 WHERE id = 1;"
                  "INSERT INTO recordings(score_id, data, received) VALUES(2, x'00', 0);"));
  ASSERT_TRUE(served.Start({"--proven-only"})) << served.process->Err();
  EXPECT_TRUE(served.Logged("verifying 1 recordings left from before"));
  EXPECT_TRUE(served.Logged("recording of score 2: not proven"));
  const std::string only = served.Page();
  EXPECT_NE(only.find("<tr class=\"proven\"><td class=\"n r\">1</td><td class=\"s\">Ann"),
            std::string::npos)
      << only;
  EXPECT_EQ(only.find("Bob"), std::string::npos);
  const testing::RawReply file = testing::Send(served.port, "GET", RecordingDownloadTarget(1));
  EXPECT_EQ(file.status, 200);
  EXPECT_TRUE(file.Body() == recording);
  EXPECT_EQ(testing::Send(served.port, "GET", RecordingDownloadTarget(2)).status, 404);
  ASSERT_TRUE(served.Start()) << served.process->Err();
  const std::string all = served.Page();
  EXPECT_NE(all.find("<tr class=\"proven\"><td class=\"n r\">1</td><td class=\"s\">Ann"),
            std::string::npos);
  EXPECT_NE(all.find("<tr><td class=\"n r\">2</td><td class=\"s\">Bob"), std::string::npos);
  const testing::Finished list = testing::RunScores({"admin", "--db", served.db, "list"});
  EXPECT_NE(list.out.find("\tAnn\t\t"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("proven\n"), std::string::npos) << list.out;
  served.Stop();
}

}  // namespace
}  // namespace brinecast::scores
