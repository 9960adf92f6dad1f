// Proofs a verifier alone makes in a second, end to end: games recorded by the simulator are
// sent to a server that takes recordings but proves none; then `brinecast-scores verify`
// proves them from the same database, each replay a fresh process. Timed from the verifier's
// start to its last verdict, so its own start and every database step are in it.
#include <benchmark/benchmark.h>
#include <signal.h>

#include <chrono>
#include <string>
#include <vector>

#include "replay/Recording.h"
#include "scores/RecordedGame.h"
#include "scores/RecordingClient.h"
#include "scores/ServerProcess.h"
#include "scores/WaitFor.h"
#include "support/Occurrences.h"

namespace brinecast {
namespace {

constexpr int kGames = 12;

// The recordings of kGames games sent with their scores; what went wrong, if anything.
std::string SendGames(const std::string& db, uint64_t& frames) {
  testing::ScratchFolder folder;
  const int port = testing::FreeLoopbackPort();
  testing::ServerProcess server({"--port", std::to_string(port), "--db", db, "--verify-workers",
                                 "0", "--submissions-per-minute", "1000", "--checks-per-minute",
                                 "1000", "--verify-queue", "100", "--verify-share", "100"});
  if (!server.WaitListening()) return "the server did not start: " + server.Err();
  for (int seed = 1, taken = 0; taken < kGames; ++seed) {
    const testing::PlayedGame game = testing::PlayGame(folder, seed, testing::FishingScript(200));
    if (!game.error.empty()) return game.error;
    // A game whose points miss the table ends in the menu, where the name's Enter starts
    // another game: that one is not a game to prove.
    if (!game.recording.end.complete) continue;
    ++taken;
    frames += game.recording.end.frames;
    const std::string token = testing::SubmitScore("127.0.0.1:" + std::to_string(port), "ANN",
                                                   game.recording.end.score, "gg");
    if (token.empty()) return "a score was refused: " + server.Err();
    const testing::RawReply sent = testing::PostRecording(
        port, token, testing::Bytes(replay::EncodeRecording(game.recording)));
    if (sent.status != 202) return "a recording was refused: " + sent.text;
  }
  server.Signal(SIGTERM);
  server.Exited(std::chrono::seconds(10));
  return {};
}

void BM_ProofsOfOneVerifier(benchmark::State& state) {
  testing::ScratchFolder folder;
  const std::string db = (folder.Path() / "scores.db").string();
  uint64_t frames = 0;
  if (const std::string error = SendGames(db, frames); !error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    testing::ServerProcess verifier({"verify", "--db", db, "--game-data", BRINECAST_APPDIR});
    const bool done = testing::WaitFor(
        [&] {
          return testing::Occurrences(verifier.Err(), "recording of score ") >=
                 static_cast<size_t>(kGames);
        },
        std::chrono::seconds(120));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    verifier.Signal(SIGTERM);
    verifier.Exited(std::chrono::seconds(10));
    if (!done || testing::Occurrences(verifier.Err(), ": proven") != static_cast<size_t>(kGames)) {
      state.SkipWithError(("not every game was proven: " + verifier.Err()).c_str());
      return;
    }
    state.SetIterationTime(took.count());
    state.counters["proofs_per_s"] = kGames / took.count();
    state.counters["frames_each"] = static_cast<double>(frames) / kGames;
  }
}
// Once: a second verifier would find everything proven.
BENCHMARK(BM_ProofsOfOneVerifier)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brinecast
