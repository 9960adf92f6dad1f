// A real game proves its score through the real programs: the simulator plays and records a
// game to its name entry, brinecast-scores replays what is sent to it, and only the very game,
// for its own score, name and note, is proven; a changed input, another build's recording,
// a larger claim, another name and a submission without a recording are not.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "RecordedGame.h"
#include "RecordingClient.h"
#include "ServerProcess.h"
#include "scores/service/HtmlPages.h"
#include "scores/store/SqliteStore.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::Bytes;
using testing::PlayedGame;
using testing::ScratchFolder;
using testing::ServerProcess;

struct ProofCase {
  const char* what;
  std::string name;
  int64_t extraPoints;  // claimed beyond the game's score
  std::optional<std::string> recording;
  const char* logged;  // the verdict's line in the log
};

TEST(ProvenGame, OnlyTheVeryGameProvesItsScore) {
  ScratchFolder folder;
  const PlayedGame played = testing::PlayGame(folder);
  ASSERT_TRUE(played.error.empty()) << played.error;
  const replay::Recording& game = played.recording;
  ASSERT_TRUE(game.end.complete);
  ASSERT_FALSE(game.scripted);
  ASSERT_GT(game.end.score, 0) << "the script must catch something to reach the name entry";
  const std::string good = Bytes(replay::EncodeRecording(game));
  // One input changed in a well-formed file: the seventh Down pressed becomes Left, so the boat
  // drifts where the hook should have gone down. On the tape an event is its tag (2), its
  // kind (0, a key going down), the key (zigzag coded) and Alt.
  replay::Recording changed = game;
  const std::vector<uint8_t> downPressed = {2, 0, 2 * 40, 0};
  auto at = changed.tape.begin();
  for (int n = 0; n < 7 && at != changed.tape.end(); ++n) {
    at = std::search(n == 0 ? at : at + 1, changed.tape.end(), downPressed.begin(),
                     downPressed.end());
  }
  ASSERT_NE(at, changed.tape.end());
  at[2] = 2 * 37;
  replay::Recording otherBuild = game;
  otherBuild.build = "0.0+another";

  const std::string db = (folder.Path() / "scores.db").string();
  auto start = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = {"--port",
                                     std::to_string(testing::FreeLoopbackPort()),
                                     "--db",
                                     db,
                                     "--game-data",
                                     BRINECAST_APPDIR,
                                     "--submissions-per-minute",
                                     "50"};
    args.insert(args.end(), extra.begin(), extra.end());
    auto process = std::make_unique<ServerProcess>(args);
    EXPECT_TRUE(process->WaitListening()) << process->Err();
    return std::make_pair(std::move(process), std::stoi(args[1]));
  };
  auto [server, port] = start({});
  const std::string host = "127.0.0.1:" + std::to_string(port);
  const ProofCase cases[] = {
      {"a claim beyond the game", "ANN", 10, good, "not proven: replayed to"},
      {"one input changed", "ANN", 0, Bytes(replay::EncodeRecording(changed)),
       "not proven: replay inconsistent"},
      {"another build's recording", "ANN", 0, Bytes(replay::EncodeRecording(otherBuild)),
       "not proven: replay refused"},
      {"another name", "BOB", 0, good, "not proven: the recording names another player"},
      {"the game itself", "ANN", 0, good, "proven"},
      {"the same game again", "ANN", 0, good, "not proven: the same game already proves"},
      {"no recording at all", "EVE", 0, std::nullopt, nullptr},
  };
  int id = 0;
  for (const ProofCase& c : cases) {
    SCOPED_TRACE(c.what);
    ++id;
    const std::string token =
        testing::SubmitScore(host, c.name, game.end.score + c.extraPoints, "gg");
    ASSERT_FALSE(token.empty());
    if (!c.recording) continue;
    ASSERT_EQ(testing::PostRecording(port, token, *c.recording).status, 202);
    const std::string line = "recording of score " + std::to_string(id) + ": " + c.logged;
    const auto end = std::chrono::steady_clock::now() + 60s;
    while (server->Err().find("recording of score " + std::to_string(id) + ":") ==
               std::string::npos &&
           std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(20ms);
    }
    const std::string log = server->Err();
    const size_t at = log.find("recording of score " + std::to_string(id) + ":");
    ASSERT_NE(at, std::string::npos) << log;
    EXPECT_EQ(log.substr(at, line.size()), line);
  }
  const int provenId = 5;
  const testing::RawReply file = testing::Send(port, "GET", RecordingDownloadTarget(provenId));
  EXPECT_EQ(file.status, 200);
  EXPECT_TRUE(file.Body() == good);
  // Only proven scores, after a restart.
  server->Signal(SIGTERM);
  ASSERT_TRUE(server->Exited(10s));
  auto [again, againPort] = start({"--proven-only"});
  CurlTransport http;
  const std::string page =
      http.Get({"http://127.0.0.1:" + std::to_string(againPort) + protocol::WorldTarget(), {}})
          .body;
  EXPECT_NE(page.find("<tr class=\"proven\"><td class=\"n r\">1</td><td class=\"s\">ANN"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("href=\"" + RecordingDownloadTarget(provenId) + "\""), std::string::npos);
  EXPECT_EQ(page.find("BOB"), std::string::npos);
  EXPECT_EQ(page.find("EVE"), std::string::npos);
  again->Signal(SIGTERM);
  ASSERT_TRUE(again->Exited(10s));
  SqliteStore store(db);
  const std::vector<StoredScore> proven = store.Ranked(100, true);
  ASSERT_EQ(proven.size(), 1u);
  EXPECT_EQ(proven[0].id, provenId);
}

}  // namespace
}  // namespace brinecast::scores
