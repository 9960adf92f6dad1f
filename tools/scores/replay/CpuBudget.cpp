// The cut is a profiling timer, which counts this process's CPU time only, to the
// microsecond; its handler may only write and leave.
#include "CpuBudget.h"

#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>

namespace brinecast::scores {

namespace {

// Made before the timer starts: nothing may be built inside the handler.
std::string cutReport;

void Cut(int) {
  size_t written = 0;
  while (written < cutReport.size()) {
    const ssize_t n = write(1, cutReport.data() + written, cutReport.size() - written);
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  _exit(1);
}

}  // namespace

std::chrono::microseconds ReplayCpuBudget(uint64_t claimedFrames) {
  // Beyond an hour of CPU any ceiling the server sets has long cut it off.
  const uint64_t frames = std::min<uint64_t>(claimedFrames, 36'000'000);
  return kReplayStartCpu + kReplayFrameCpu * static_cast<int64_t>(frames);
}

void CutOffAfter(std::chrono::microseconds budget, const std::string& report) {
  cutReport = report + "\n";
  struct sigaction action {};
  action.sa_handler = &Cut;
  sigemptyset(&action.sa_mask);
  sigaction(SIGPROF, &action, nullptr);
  itimerval timer{};
  timer.it_value.tv_sec = static_cast<time_t>(budget.count() / 1'000'000);
  timer.it_value.tv_usec = static_cast<suseconds_t>(budget.count() % 1'000'000);
  setitimer(ITIMER_PROF, &timer, nullptr);
}

}  // namespace brinecast::scores
