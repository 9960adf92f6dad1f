// The simulator's options as a table: each takes a value, as "--name VALUE" or "--name=VALUE";
// one argument that is not an option names the script ("-" for standard input).
#include "SimOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "online/ScoreServer.h"

namespace brinecast::sim {

namespace {

// What an option does with its value: nullopt when it went well, or else the problem.
using OptionAction = std::optional<std::string> (*)(std::string_view name, const std::string& value,
                                                    SimOptions&);

std::optional<std::string> ReadNumber(std::string_view name, const std::string& value,
                                      uint64_t& number) {
  const char* end = value.data() + value.size();
  const auto [stop, error] = std::from_chars(value.data(), end, number);
  if (value.empty() || error != std::errc() || stop != end) {
    return "bad number for " + std::string(name) + ": '" + value + "'";
  }
  return std::nullopt;
}

// A text option: its value, whatever it is, goes to the field.
template <std::string SimOptions::*field>
std::optional<std::string> SetText(std::string_view, const std::string& value,
                                   SimOptions& options) {
  options.*field = value;
  return std::nullopt;
}

struct OptionRow {
  std::string_view name;
  OptionAction action;
};

constexpr std::array kOptions{
    OptionRow{"--data", SetText<&SimOptions::data>},
    OptionRow{"--config", SetText<&SimOptions::config>},
    OptionRow{"--seed",
              [](std::string_view name, const std::string& value, SimOptions& options) {
                uint64_t seed = 0;
                std::optional<std::string> problem = ReadNumber(name, value, seed);
                if (!problem) options.seed = seed;
                return problem;
              }},
    OptionRow{"--frame-ms",
              [](std::string_view name, const std::string& value, SimOptions& options) {
                return ReadNumber(name, value, options.frameMs);
              }},
    OptionRow{"--score-server",
              [](std::string_view, const std::string& value, SimOptions& options) {
                if (!IsValidServerHost(value)) {
                  return std::optional<std::string>("bad server address '" + value +
                                                    "' (HOST or HOST:PORT)");
                }
                options.scoreServer = value;
                return std::optional<std::string>();
              }},
    OptionRow{"--record", SetText<&SimOptions::record>},
    OptionRow{"--verify", SetText<&SimOptions::verify>},
};

}  // namespace

std::optional<SimOptions> ParseSimOptions(std::span<char* const> args, std::string& why) {
  SimOptions options;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg.size() <= 1 || arg[0] != '-') {
      if (!options.script.empty()) {
        why = "more than one script given";
        return std::nullopt;
      }
      options.script = arg;
      continue;
    }
    const std::string_view name = arg.substr(0, arg.find('='));
    const auto row = std::find_if(kOptions.begin(), kOptions.end(),
                                  [&](const OptionRow& option) { return option.name == name; });
    if (row == kOptions.end()) {
      why = "unknown option " + std::string(name);
      return std::nullopt;
    }
    std::string value;
    if (name != arg) {
      value = arg.substr(name.size() + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      why = std::string(name) + " needs a value";
      return std::nullopt;
    }
    if (std::optional<std::string> problem = row->action(name, value, options)) {
      why = *problem;
      return std::nullopt;
    }
  }
  if (!options.verify.empty()) {
    if (!options.script.empty() || !options.record.empty()) {
      why = "--verify replays a recording: it takes no script and no --record";
      return std::nullopt;
    }
    return options;
  }
  if (options.script.empty()) {
    why = "no script given";
    return std::nullopt;
  }
  return options;
}

}  // namespace brinecast::sim
