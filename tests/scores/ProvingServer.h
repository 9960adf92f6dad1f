// The built server with the game's real data and replayer, and the real game it is sent:
// what proves, or fails to prove, a score end to end.
#pragma once

#include <signal.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordedGame.h"
#include "RecordingClient.h"
#include "ServerProcess.h"
#include "WaitFor.h"

namespace brinecast::scores {

using testing::Bytes;
using testing::PlayedGame;
using testing::PlayGame;

// The game recorded once for every test of the program.
inline const replay::Recording& Game() {
  static const replay::Recording game = [] {
    testing::ScratchFolder folder;
    const PlayedGame played = PlayGame(folder);
    EXPECT_TRUE(played.error.empty()) << played.error;
    return played.recording;
  }();
  return game;
}

struct ProvingServer {
  testing::ScratchFolder folder;
  int port = testing::FreeLoopbackPort();
  std::unique_ptr<testing::ServerProcess> process;

  explicit ProvingServer(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--port",
                                     std::to_string(port),
                                     "--db",
                                     (folder.Path() / "scores.db").string(),
                                     "--game-data",
                                     BRINECAST_APPDIR,
                                     "--submissions-per-minute",
                                     "50"};
    args.insert(args.end(), extra.begin(), extra.end());
    process = std::make_unique<testing::ServerProcess>(args);
    EXPECT_TRUE(process->WaitListening()) << process->Err();
  }
  ~ProvingServer() {
    process->Signal(SIGTERM);
    EXPECT_TRUE(process->Exited(std::chrono::seconds(10)));
  }
  std::string Host() const { return "127.0.0.1:" + std::to_string(port); }
  bool Logged(const std::string& text) {
    return testing::WaitFor([&] { return process->Err().find(text) != std::string::npos; },
                            std::chrono::seconds(30));
  }
  // The player's score, then its game's recording, which is taken; its verdict is logged.
  void SendGame(int scoreId) {
    const std::string token = testing::SubmitScore(Host(), "ANN", Game().end.score, "gg");
    ASSERT_FALSE(token.empty());
    const testing::RawReply sent =
        testing::PostRecording(port, token, Bytes(replay::EncodeRecording(Game())));
    EXPECT_EQ(sent.status, 202) << sent.text;
    ASSERT_TRUE(Logged("recording of score " + std::to_string(scoreId) + ": ")) << process->Err();
  }
  void ProveHonestGame() {
    SendGame(1);
    EXPECT_TRUE(Logged("recording of score 1: proven")) << process->Err();
  }
};

}  // namespace brinecast::scores
