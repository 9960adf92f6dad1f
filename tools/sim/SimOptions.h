// The simulator's command line: what it runs, read from one table of options.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace brinecast::sim {

struct SimOptions {
  std::string data;
  std::string config;
  std::optional<uint64_t> seed;
  uint64_t frameMs = 0;
  std::string scoreServer;
  std::string script;
  std::string record;  // write the last game's recording here
  std::string verify;  // replay this recording instead of running a script
};

// The options to run with (args[0] is the program), or nothing with the problem in `why`.
std::optional<SimOptions> ParseSimOptions(std::span<char* const> args, std::string& why);

}  // namespace brinecast::sim
