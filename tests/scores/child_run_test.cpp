// Tests of the child process runner the server replays recordings in: whatever the child
// does (prints, crashes, hangs, spins, eats memory, floods), the runner comes back within its
// limits and says what happened.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "SanitizerBuild.h"
#include "scores/verify/ChildRun.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using Ending = ChildResult::Ending;

std::vector<std::string> Shell(const std::string& script) {
  return {"/bin/sh", "-c", script};
}

ChildLimits Quick() {
  ChildLimits limits;
  limits.cpuSeconds = 2;
  limits.wall = 1500ms;
  limits.outputBytes = 4096;
  return limits;
}

struct ChildCase {
  const char* what;
  std::vector<std::string> command;
  Ending ending;
  int code;
  const char* out;
  // A spinning child must reach its CPU limit first, however busy the machine is.
  std::chrono::milliseconds wall = 2s;
};

TEST(ChildRun, SaysHowEveryKindOfChildEnded) {
  const ChildCase cases[] = {
      {"prints and exits", Shell("cat >/dev/null; echo '{\"a\":1}'"), Ending::kExited, 0,
       "{\"a\":1}\n"},
      {"exit status kept", Shell("cat >/dev/null; echo half; exit 3"), Ending::kExited, 3,
       "half\n"},
      {"crashes", Shell("kill -SEGV $$"), Ending::kSignalled, SIGSEGV, ""},
      {"never reads its input and hangs", Shell("sleep 30"), Ending::kTimedOut, 0, ""},
      {"closes its output and hangs", Shell("exec >&- 2>&-; sleep 30"), Ending::kTimedOut, 0, ""},
      {"spins past its CPU time", Shell("while :; do :; done"), Ending::kSignalled, SIGXCPU, "",
       60s},
      {"no such program", {"/nonexistent/program"}, Ending::kExited, 127, ""},
  };
  ChildLimits limits = Quick();
  limits.cpuSeconds = 1;
  for (const ChildCase& c : cases) {
    SCOPED_TRACE(c.what);
    limits.wall = c.wall;
    const auto start = std::chrono::steady_clock::now();
    // Input larger than a pipe holds, so a child that never reads would block a naive writer.
    const ChildResult result = RunChild(c.command, std::string(300'000, 'r'), limits);
    EXPECT_LT(std::chrono::steady_clock::now() - start, limits.wall + 1s);
    EXPECT_EQ(result.ending, c.ending) << result.Describe();
    if (c.ending != Ending::kTimedOut) {
      EXPECT_EQ(result.code, c.code) << result.Describe();
    }
    EXPECT_EQ(result.out, c.out);
  }
}

TEST(ChildRun, InputArrivesWholeAndOutputIsCapped) {
  std::string input;
  for (int i = 0; i < 1 << 20; ++i) input += static_cast<char>(i * 7 + (i >> 9));
  ChildLimits limits = Quick();
  limits.outputBytes = size_t{2} << 20U;
  const ChildResult echoed = RunChild({"/bin/cat"}, input, limits);
  EXPECT_EQ(echoed.ending, Ending::kExited);
  EXPECT_TRUE(echoed.out == input) << echoed.out.size() << " bytes came back";
  // A flood is read to its end and kept only up to the cap.
  const ChildResult flood = RunChild(Shell("head -c 3000000 /dev/zero"), "", Quick());
  EXPECT_EQ(flood.ending, Ending::kExited);
  EXPECT_EQ(flood.out.size(), Quick().outputBytes);
}

#ifndef BRINECAST_TEST_ASAN
// A child that asks for more memory than allowed does not get it (the sanitizer's builds set
// no memory limit, since the sanitizer itself reserves far more).
TEST(ChildRun, MemoryBeyondTheLimitIsRefused) {
  if (access("/usr/bin/python3", X_OK) != 0) GTEST_SKIP() << "no python3 to ask for memory";
  const std::vector<std::string> hog = {"/usr/bin/python3", "-c",
                                        "b = bytearray(512 << 20); print('got', len(b))"};
  ChildLimits limits = Quick();
  limits.wall = 10s;
  limits.memoryBytes = 0;
  const ChildResult free = RunChild(hog, "", limits);
  ASSERT_EQ(free.out, "got 536870912\n") << "without a limit the child must get it";
  limits.memoryBytes = int64_t{256} << 20U;
  const ChildResult held = RunChild(hog, "", limits);
  EXPECT_EQ(held.ending, Ending::kExited);
  EXPECT_NE(held.code, 0);
  EXPECT_EQ(held.out, "");
  EXPECT_NE(held.err.find("MemoryError"), std::string::npos) << held.err;
}
#endif

TEST(ChildRun, StartedHearsThePidOfTheChild) {
  pid_t seen = 0;
  const ChildResult result =
      RunChild(Shell("echo $$"), "", Quick(), [&seen](pid_t pid) { seen = pid; });
  EXPECT_EQ(result.out, std::to_string(seen) + "\n");
}

}  // namespace
}  // namespace brinecast::scores
