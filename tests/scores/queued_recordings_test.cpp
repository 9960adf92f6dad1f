// What waits to be verified, through the built executables on one database: an address may
// keep only its share of the queue, whichever server it sends to, so an honest player's
// recording from another address is still taken and proven; and identical bytes are replayed
// once, however many scores they are sent for and whether or not the first is still waiting.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ProvingServer.h"
#include "RawConnection.h"
#include "RecordingClient.h"
#include "ServerProcess.h"
#include "WaitFor.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::ServerProcess;

// Servers and verifiers that share one SQLite file with the game's data.
struct OneDatabase {
  testing::ScratchFolder folder;
  std::string db = (folder.Path() / "scores.db").string();
  std::vector<std::unique_ptr<ServerProcess>> processes;

  ~OneDatabase() {
    for (auto& p : processes) {
      p->Signal(SIGTERM);
      EXPECT_TRUE(p->Exited(10s));
    }
  }
  // A server that takes recordings and leaves them to the verifiers; its port.
  int AddServer(const std::vector<std::string>& extra) {
    const int port = testing::FreeLoopbackPort();
    std::vector<std::string> args = {
        "--port",         std::to_string(port), "--db", db, "--game-data",
        BRINECAST_APPDIR, "--verify-workers",   "0"};
    args.insert(args.end(), extra.begin(), extra.end());
    processes.push_back(std::make_unique<ServerProcess>(args));
    EXPECT_TRUE(processes.back()->WaitListening()) << processes.back()->Err();
    return port;
  }
  ServerProcess& AddVerifier(const std::string& program = BRINECAST_BINARY_DIR
                             "/brinecast-scores") {
    processes.push_back(std::make_unique<ServerProcess>(
        std::vector<std::string>{"verify", "--db", db, "--game-data", BRINECAST_APPDIR,
                                 "--verify-workers", "2"},
        program));
    return *processes.back();
  }
};

bool Logged(const ServerProcess& process, const std::string& text) {
  return testing::WaitFor([&] { return process.Err().find(text) != std::string::npos; }, 60s);
}

// A recording posted from the address `from`; its status.
int PostFrom(int port, const std::string& from, const std::string& token,
             const std::string& bytes) {
  testing::RawConnection c(port, from);
  c.Send("POST " + protocol::RecordingTarget(token) +
         " HTTP/1.1\r\nHost: t\r\nConnection: close\r\nContent-Length: " +
         std::to_string(bytes.size()) + "\r\n\r\n" + bytes);
  return testing::ReadReply(c).status;
}

std::string Submitted(int port, const std::string& name) {
  const std::string token =
      testing::SubmitScore("127.0.0.1:" + std::to_string(port), name, Game().end.score, "gg");
  EXPECT_FALSE(token.empty());
  return token;
}

TEST(QueuedRecordings, OneAddressKeepsOnlyItsShareAcrossServersAndAnHonestProofGetsThrough) {
  ASSERT_GT(Game().end.score, 0);
  OneDatabase on;
  const std::vector<std::string> share = {"--verify-share", "2", "--submissions-per-minute", "20"};
  const int first = on.AddServer(share);
  const int second = on.AddServer(share);
  const std::string attacker = "127.0.0.9";
  EXPECT_EQ(PostFrom(first, attacker, Submitted(first, "Eve"), "garbage one"), 202);
  EXPECT_EQ(PostFrom(second, attacker, Submitted(second, "Eve"), "garbage two"), 202);
  // The share is counted in the database: the other server refuses the third too.
  for (int port : {first, second}) {
    EXPECT_EQ(PostFrom(port, attacker, Submitted(port, "Eve"), "garbage more"), 429);
  }
  for (const auto& server : on.processes) {
    EXPECT_TRUE(Logged(*server,
                       "\"Too many recordings from this client waiting to be "
                       "verified: at most 2"))
        << server->Err();
  }

  const std::string honest = Submitted(first, "ANN");
  EXPECT_EQ(PostFrom(first, "127.0.0.1", honest, testing::Bytes(replay::EncodeRecording(Game()))),
            202);
  ServerProcess& verifier = on.AddVerifier();
  EXPECT_TRUE(Logged(verifier, "recording of score 5: proven")) << verifier.Err();
  EXPECT_TRUE(Logged(verifier, "recording of score 1: not proven")) << verifier.Err();
}

// The server's own program beside a stand-in for the replayer that notes each run in `runs`,
// then replays for real.
std::string CountingVerifier(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file(BRINECAST_BINARY_DIR "/brinecast-scores", dir / "brinecast-scores");
  std::ofstream(dir / "brinecast-replay")
      << "#!/bin/sh\necho run >> \"$(dirname \"$0\")/runs\"\nexec " BRINECAST_BINARY_DIR
         "/brinecast-replay \"$@\"\n";
  std::filesystem::permissions(dir / "brinecast-replay", std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add);
  return (dir / "brinecast-scores").string();
}

int Runs(const std::filesystem::path& dir) {
  std::ifstream in(dir / "runs");
  int runs = 0;
  for (std::string line; std::getline(in, line);) ++runs;
  return runs;
}

TEST(QueuedRecordings, IdenticalBytesAreReplayedOnce) {
  ASSERT_GT(Game().end.score, 0);
  OneDatabase on;
  const int port = on.AddServer({});
  const std::string game = testing::Bytes(replay::EncodeRecording(Game()));
  // Two copies wait before any verifier is there, so both are free to be claimed at once.
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(testing::PostRecording(port, Submitted(port, "ANN"), game).status, 202);
  }
  const std::filesystem::path dir = on.folder.Path() / "counting";
  ServerProcess& verifier = on.AddVerifier(CountingVerifier(dir));
  EXPECT_TRUE(Logged(verifier, "recording of score 1: proven")) << verifier.Err();
  EXPECT_TRUE(Logged(verifier,
                     "recording of score 2: not proven: the same game already proves score 1 "
                     "(the same bytes were replayed before)"))
      << verifier.Err();
  // A copy sent after the verdict is judged by it too.
  EXPECT_EQ(testing::PostRecording(port, Submitted(port, "ANN"), game).status, 202);
  EXPECT_TRUE(Logged(verifier,
                     "recording of score 3: not proven: the same game already proves "
                     "score 1 (the same bytes were replayed before)"))
      << verifier.Err();
  EXPECT_EQ(Runs(dir), 1);
}

}  // namespace
}  // namespace brinecast::scores
