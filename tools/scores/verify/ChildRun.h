// Runs a command as a child process with bounded CPU time, memory and wall-clock time, feeds
// it bytes on standard input and collects what it prints, for work the server does not trust
// to its own process. The child is killed when the thread that started it ends.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace brinecast::scores {

struct ChildLimits {
  int cpuSeconds = 30;
  int64_t memoryBytes = int64_t{512} << 20U;  // address space; 0 for none
  std::chrono::milliseconds wall{60'000};
  size_t outputBytes = 64 * 1024;  // more of its output is read and dropped
};

// The exit status of a child whose limits could not be set, which then runs nothing.
inline constexpr int kChildLimitsRefused = 125;

struct ChildResult {
  enum class Ending { kExited, kSignalled, kTimedOut, kNotStarted };
  Ending ending = Ending::kNotStarted;
  int code = 0;  // the exit status or the signal
  std::string out;
  std::string err;

  // "exit status 1", "killed by signal 9", "killed by its sandbox: ...", "timed out", ...
  std::string Describe() const;
};

// `started` hears the child's pid as soon as it runs, so it can be killed from elsewhere.
ChildResult RunChild(const std::vector<std::string>& command, const std::string& input,
                     const ChildLimits& limits,
                     const std::function<void(pid_t)>& started = nullptr);

}  // namespace brinecast::scores
