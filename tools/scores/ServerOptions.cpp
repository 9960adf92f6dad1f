// Command-line parsing: "--name value" pairs, numbers checked against sane ranges.
#include "scores/ServerOptions.h"

#include <charconv>

namespace brinecast::scores {

namespace {

bool ParseNumber(const std::string& text, int64_t low, int64_t high, int64_t& out) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < low || value > high) {
    return false;
  }
  out = value;
  return true;
}

}  // namespace

std::string ServerUsage() {
  return "usage: brinecast-scores [--port N] [--bind ADDRESS] [--db FILE|postgresql://...]\n"
         "                        [--submissions-per-minute N] [--checks-per-minute N]\n"
         "                        [--max-scores N]\n"
         "  --port     port to listen on (default 8765)\n"
         "  --bind     address to listen on (default 127.0.0.1; 0.0.0.0 for everyone)\n"
         "  --db       SQLite file, created on first start (default brinecast-scores.db),\n"
         "             or a PostgreSQL connection URI\n"
         "  --submissions-per-minute  per client address (default 10)\n"
         "  --checks-per-minute       per client address (default 60)\n"
         "  --max-scores              scores kept before new ones are refused (default 1000000)\n";
}

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args,
                                                std::string& error) {
  ServerOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = name.starts_with("--") ? name + " needs a value" : "unknown argument " + name;
      return std::nullopt;
    }
    const std::string& value = args[++i];
    int64_t number = 0;
    auto numeric = [&](int64_t low, int64_t high) {
      if (ParseNumber(value, low, high, number)) return true;
      error = name + " must be a number from " + std::to_string(low) + " to " +
              std::to_string(high) + ", not '" + value + "'";
      return false;
    };
    if (name == "--port") {
      if (!numeric(1, 65535)) return std::nullopt;
      options.port = static_cast<int>(number);
    } else if (name == "--bind") {
      options.bind = value;
    } else if (name == "--db") {
      if (value.empty()) {
        error = "--db needs a file name or a postgresql:// URI";
        return std::nullopt;
      }
      options.db = value;
    } else if (name == "--submissions-per-minute") {
      if (!numeric(1, 1'000'000)) return std::nullopt;
      options.limits.submissionsPerMinute = static_cast<int>(number);
    } else if (name == "--checks-per-minute") {
      if (!numeric(1, 1'000'000)) return std::nullopt;
      options.limits.checksPerMinute = static_cast<int>(number);
    } else if (name == "--max-scores") {
      if (!numeric(1, 1'000'000'000)) return std::nullopt;
      options.limits.maxScores = number;
    } else {
      error = "unknown argument " + name;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace brinecast::scores
