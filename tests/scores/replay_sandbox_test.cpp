// The replay child as the server runs it: sandboxed, so a forbidden call ends it with the
// verdict "sandbox" while the server goes on; cut off cheaply when its tape holds more than
// the frames it claims; and never outliving the process that started it.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "ProvingServer.h"
#include "SanitizerBuild.h"
#include "scores/verify/ChildRun.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;

TEST(ReplaySandbox, AForbiddenCallEndsTheReplayWithTheVerdictSandboxAndTheServerGoesOn) {
#ifdef BRINECAST_TEST_ASAN
  GTEST_SKIP() << "the address sanitizer's builds replay without the sandbox";
#endif
  ASSERT_GT(Game().end.score, 0);
  // The server's children inherit it; the replayer then makes a call its sandbox forbids.
  setenv("BRINECAST_REPLAY_FORBIDDEN_CALL", "1", 1);
  ProvingServer server;
  unsetenv("BRINECAST_REPLAY_FORBIDDEN_CALL");
  server.SendGame(1);
  EXPECT_TRUE(
      server.Logged("recording of score 1: not proven: replay killed by its sandbox: a forbidden "
                    "system call"))
      << server.process->Err();
  CurlTransport http;
  EXPECT_EQ(http.Get({"http://" + server.Host() + "/health", {}}).body, "OK\n");
  EXPECT_TRUE(protocol::ReplyIsOk(http.Get({CheckUrl(server.Host()), ScoreRequestHeaders()}).body));
}

// The replayer run as the server runs it, on `bytes`.
ChildResult Replay(const std::string& bytes) {
  ChildLimits limits;
  limits.cpuSeconds = 30;
  limits.wall = 60s;
  return RunChild({BRINECAST_BINARY_DIR "/brinecast-replay", "--data", BRINECAST_APPDIR}, bytes,
                  limits);
}

// A paused stretch of the tape repeats itself: the shortest period that holds for a long run
// from `at`; 0 when there is none.
size_t PausedPeriod(const std::vector<uint8_t>& tape, size_t at) {
  for (size_t period = 1; period <= 2048; ++period) {
    bool repeats = at + period + 4096 <= tape.size();
    for (size_t i = 0; repeats && i < 4096; ++i) repeats = tape[at + i] == tape[at + i + period];
    if (repeats) return period;
  }
  return 0;
}

TEST(ReplaySandbox, ATapeHoldingMoreThanItClaimsIsCutOffCheaply) {
  testing::ScratchFolder folder;
  // A minute's pause in a game, then the pause repeated until the tape is as large as a tape
  // may be, its claim left as it was: the attack that cost seconds of CPU per upload.
  const PlayedGame paused = PlayGame(folder, 2, "press Enter\nwait 2000\npress P\nwait 60000\n");
  ASSERT_TRUE(paused.error.empty()) << paused.error;
  replay::Recording stuffed = paused.recording;
  const size_t middle = stuffed.tape.size() / 2;
  const size_t period = PausedPeriod(stuffed.tape, middle);
  ASSERT_GT(period, 0u);
  const std::vector<uint8_t> unit(stuffed.tape.begin() + static_cast<ptrdiff_t>(middle),
                                  stuffed.tape.begin() + static_cast<ptrdiff_t>(middle + period));
  std::vector<uint8_t> repeated;
  while (repeated.size() + period + stuffed.tape.size() < replay::kTapeMostBytes) {
    repeated.insert(repeated.end(), unit.begin(), unit.end());
  }
  stuffed.tape.insert(stuffed.tape.begin() + static_cast<ptrdiff_t>(middle), repeated.begin(),
                      repeated.end());
  const std::string bytes = Bytes(replay::EncodeRecording(stuffed));
  ASSERT_LE(bytes.size(), protocol::kRecordingMaxBytes);

  const ChildResult honest = Replay(Bytes(replay::EncodeRecording(paused.recording)));
  EXPECT_NE(honest.out.find("\"frames\":" + std::to_string(paused.recording.end.frames)),
            std::string::npos)
      << honest.out << honest.err;
  const ChildResult cut = Replay(bytes);
  EXPECT_EQ(cut.ending, ChildResult::Ending::kExited) << cut.Describe();
  EXPECT_NE(cut.out.find("\"verdict\":\"inconsistent\""), std::string::npos) << cut.out;
  EXPECT_NE(cut.out.find("cut off: its replay took more CPU time than the " +
                         std::to_string(paused.recording.end.frames) + " frames it claims can"),
            std::string::npos)
      << cut.out << cut.err;
}

// Whether the process is gone or only waits to be reaped.
bool Dead(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string pidText, name, state;
  if (!(stat >> pidText >> name >> state)) return true;
  return state == "Z" || state == "X";
}

TEST(ReplaySandbox, TheChildDiesWithTheProcessThatStartedIt) {
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  const pid_t parent = fork();
  if (parent == 0) {
    ChildLimits limits;
    limits.wall = 60s;
    RunChild({"/bin/sleep", "60"}, "", limits,
             [&](pid_t child) { (void)!write(pipeFds[1], &child, sizeof child); });
    _exit(0);
  }
  close(pipeFds[1]);
  pid_t child = 0;
  ASSERT_EQ(read(pipeFds[0], &child, sizeof child), static_cast<ssize_t>(sizeof child));
  close(pipeFds[0]);
  ASSERT_FALSE(Dead(child));
  kill(parent, SIGKILL);
  waitpid(parent, nullptr, 0);
  EXPECT_TRUE(testing::WaitFor([&] { return Dead(child); }, 10s));
  if (!Dead(child)) kill(child, SIGKILL);
}

}  // namespace
}  // namespace brinecast::scores
