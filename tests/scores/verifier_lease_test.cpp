// Verifiers on their own (`brinecast-scores verify`) share the recordings a server takes and
// never verifies itself (`--verify-workers 0`): a verifier killed with SIGKILL in the middle
// of a replay loses the recording to another once its lease runs out, and a recording judged
// is never judged again, whatever restarts.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "PgCluster.h"
#include "RecordedGame.h"
#include "RecordingClient.h"
#include "ServerProcess.h"
#include "WaitFor.h"
#include "scores/store/ScoreStore.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::PgCluster;
using testing::ScratchFolder;
using testing::ServerProcess;

// The server's own program beside a replayer that never reports: it marks that it holds a
// recording, then waits for the verifier that started it to be gone.
std::string StuckVerifier(const ScratchFolder& folder) {
  const std::filesystem::path dir = folder.Path() / "stuck";
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file(BRINECAST_BINARY_DIR "/brinecast-scores", dir / "brinecast-scores");
  std::ofstream(dir / "brinecast-replay")
      << "#!/bin/sh\n: > \"$(dirname \"$0\")/holding\"\n"
         "while kill -0 $PPID 2>/dev/null; do sleep 0.1; done\n";
  std::filesystem::permissions(dir / "brinecast-replay", std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add);
  return (dir / "brinecast-scores").string();
}

bool Logged(const ServerProcess& process, const std::string& line, std::chrono::milliseconds wait) {
  return testing::WaitFor([&] { return process.Err().find(line) != std::string::npos; }, wait);
}

TEST(VerifierLease, AKilledVerifierLosesItsRecordingAndNoneIsJudgedTwice) {
  const auto bin = PgCluster::FindBinaries();
  if (bin.empty()) GTEST_SKIP() << "PostgreSQL is not installed";
  PgCluster cluster(bin);
  ASSERT_TRUE(cluster.started());
  ASSERT_TRUE(cluster.CreateDatabase("lease"));
  const std::string db = cluster.Uri("lease");
  ScratchFolder folder;
  const testing::PlayedGame played = testing::PlayGame(folder);
  ASSERT_TRUE(played.error.empty()) << played.error;
  const std::string game = testing::Bytes(replay::EncodeRecording(played.recording));

  const int port = testing::FreeLoopbackPort();
  ServerProcess server({"--port", std::to_string(port), "--db", db, "--verify-workers", "0"});
  ASSERT_TRUE(server.WaitListening()) << server.Err();
  const std::vector<std::string> verify = {"verify", "--db", db, "--game-data", BRINECAST_APPDIR};
  ServerProcess stuck(verify, StuckVerifier(folder));
  ASSERT_TRUE(testing::WaitFor(
      [&] { return stuck.Out().find("verifying recordings") != std::string::npos; }, 10s))
      << stuck.Err();

  const std::string host = "127.0.0.1:" + std::to_string(port);
  const std::string first = testing::SubmitScore(host, "ANN", played.recording.end.score, "gg");
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(testing::PostRecording(port, first, game).status, 202);
  ASSERT_TRUE(testing::WaitFor(
      [&] { return std::filesystem::exists(folder.Path() / "stuck" / "holding"); }, 10s));
  stuck.Signal(SIGKILL);
  ASSERT_TRUE(stuck.Exited(5s));

  auto taker = std::make_unique<ServerProcess>(verify);
  ASSERT_TRUE(Logged(*taker, "recording of score 1: proven", 60s)) << taker->Err();
  taker->Signal(SIGTERM);
  ASSERT_TRUE(taker->Exited(10s));

  // After a restart only the new recording is judged; the proven one is not replayed again.
  taker = std::make_unique<ServerProcess>(verify);
  const std::string copy = testing::SubmitScore(host, "ANN", played.recording.end.score, "gg");
  ASSERT_FALSE(copy.empty());
  ASSERT_EQ(testing::PostRecording(port, copy, game).status, 202);
  ASSERT_TRUE(Logged(*taker,
                     "recording of score 2: not proven: the same game already proves "
                     "score 1",
                     30s))
      << taker->Err();
  EXPECT_EQ(taker->Err().find("recording of score 1"), std::string::npos) << taker->Err();
  EXPECT_EQ(stuck.Err().find("recording of score"), std::string::npos);
  EXPECT_EQ(server.Err().find("recording of score"), std::string::npos) << server.Err();
  taker->Signal(SIGTERM);
  EXPECT_TRUE(taker->Exited(10s));
  server.Signal(SIGTERM);
  EXPECT_TRUE(server.Exited(10s));
}

// A recording no verifier took within --verify-wait-minutes is refused for it and dropped.
TEST(VerifierLease, ARecordingWaitingTooLongIsRefusedAndDropped) {
  ScratchFolder folder;
  const std::string db = (folder.Path() / "scores.db").string();
  const int port = testing::FreeLoopbackPort();
  const std::vector<std::string> args = {
      "--port", std::to_string(port),    "--db", db, "--verify-workers",
      "0",      "--verify-wait-minutes", "5"};
  auto server = std::make_unique<ServerProcess>(args);
  ASSERT_TRUE(server->WaitListening()) << server->Err();
  const std::string token = testing::SubmitScore("127.0.0.1:" + std::to_string(port), "Ann", 5, "");
  ASSERT_FALSE(token.empty());
  ASSERT_EQ(testing::PostRecording(port, token, "waits").status, 202);
  server->Signal(SIGTERM);
  ASSERT_TRUE(server->Exited(10s));
  // Received six minutes before now.
  sqlite3* file = nullptr;
  ASSERT_EQ(sqlite3_open(db.c_str(), &file), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(file, "UPDATE recordings SET received = received - 360", nullptr, nullptr,
                         nullptr),
            SQLITE_OK);
  sqlite3_close(file);
  server = std::make_unique<ServerProcess>(args);
  ASSERT_TRUE(server->WaitListening()) << server->Err();
  // The first look is a minute after the start.
  EXPECT_TRUE(Logged(*server, "purged 1 recordings that prove nothing", 90s)) << server->Err();
  EXPECT_EQ(testing::PostRecording(port, token, "again").status, 409);
  server->Signal(SIGTERM);
  EXPECT_TRUE(server->Exited(10s));
  const std::unique_ptr<ScoreStore> store = OpenScoreStore(db);
  EXPECT_EQ(store->CountWaiting(), 0);
  EXPECT_FALSE(store->List(1)[0].entry.proven);
}

// A verifier needs the game to replay with, and something to do.
TEST(VerifierLease, AVerifierWithoutTheGameOrWorkersRefusesToStart) {
  ScratchFolder folder;
  const std::string db = (folder.Path() / "scores.db").string();
  const testing::Finished noGame =
      testing::RunScores({"verify", "--db", db, "--game-data", folder.Path().string()});
  EXPECT_EQ(noGame.status, 1);
  EXPECT_NE(noGame.err.find("holds no Data/"), std::string::npos) << noGame.err;
  const testing::Finished idle = testing::RunScores(
      {"verify", "--db", db, "--game-data", BRINECAST_APPDIR, "--verify-workers", "0"});
  EXPECT_EQ(idle.status, 2);
  EXPECT_NE(idle.err.find("--verify-workers 0"), std::string::npos) << idle.err;
}

}  // namespace
}  // namespace brinecast::scores
