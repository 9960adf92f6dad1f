// The CPU time a replay may take, from the frames its recording claims: what a game of that
// many frames can cost to check, measured, with room for a slower machine. A tape holding
// more than it claims (a pause repeated for megabytes, say) is cut off there, cheaply,
// instead of running to the server's own ceiling.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace brinecast::scores {

// Starting the game and reading its pictures took 0.06 s, a frame 10 us in play and 6 us
// paused: the budget allows ten times that.
inline constexpr std::chrono::microseconds kReplayStartCpu{1'000'000};
inline constexpr std::chrono::microseconds kReplayFrameCpu{100};

std::chrono::microseconds ReplayCpuBudget(uint64_t claimedFrames);

// From now on, the process's CPU time past `budget` prints `report` (one line) on standard
// output and ends the process with exit status 1.
void CutOffAfter(std::chrono::microseconds budget, const std::string& report);

}  // namespace brinecast::scores
