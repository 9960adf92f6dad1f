// Command-line parsing: "--name value" or "--name=value", numbers checked against sane
// ranges, flags taking no value.
#include "scores/ServerOptions.h"

#include <arpa/inet.h>

#include <algorithm>
#include <charconv>
#include <fstream>

#include "scores/ClientAddress.h"

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

bool IsAddress(const std::string& text) {
  unsigned char bytes[16];
  return inet_pton(AF_INET, text.c_str(), bytes) == 1 ||
         inet_pton(AF_INET6, text.c_str(), bytes) == 1;
}

}  // namespace

std::string ServerUsage() {
  return "usage: brinecast-scores [OPTION]...\n"
         "       brinecast-scores admin [--db WHERE] COMMAND [ARGUMENT]\n"
         "  --port N                  port to listen on (default 8765)\n"
         "  --bind ADDRESS            numeric address to listen on (default 127.0.0.1;\n"
         "                            0.0.0.0 or :: for everyone)\n"
         "  --db WHERE                SQLite file, created on first start (default\n"
         "                            brinecast-scores.db), or a postgresql:// URI without\n"
         "                            its password\n"
         "  --db-password-file FILE   PostgreSQL password, first line of FILE (PGPASSWORD\n"
         "                            and PGPASSFILE work too)\n"
         "  --db-timeout SECONDS      PostgreSQL connecting and statement time-out (default 5)\n"
         "  --submissions-per-minute N  per address or IPv6 /64 (default 10)\n"
         "  --checks-per-minute N     per address or IPv6 /64 (default 60)\n"
         "  --max-scores N            the best N scores are kept (default 1000000)\n"
         "  --trusted-proxy ADDRESS   a reverse proxy whose X-Forwarded-For names the client\n"
         "                            (may be given again)\n"
         "  --connections-per-client N  open at once per address or IPv6 /64 (default 16)\n"
         "  --threads N               HTTP event threads (default 2)\n"
         "  --game-data DIR           the game's folder holding Data/, to verify recordings\n"
         "                            (default: the installed game's); without it recordings\n"
         "                            are not taken\n"
         "  --proven-only             the world page shows only proven scores\n"
         "  --web DIR                 the built browser game to serve at /play/ (default:\n"
         "                            the installed brinecast-web's, when there is one)\n"
         "  --verify-workers N        recordings verified at once (default 1)\n"
         "  --verify-queue N          recordings waiting at most (default 16)\n"
         "  --verify-seconds N        CPU seconds one verification may take (default 30;\n"
         "                            twice that on the clock)\n"
         "  --verify-memory MB        memory one verification may take (default 512)\n"
         "  --version                 print the version and exit\n"
         "  --help                    print this help and exit\n"
         "admin commands: list [N] | remove ID | ban NAME | export [FILE] | backup FILE\n";
}

bool UriHoldsPassword(const std::string& uri) {
  const size_t scheme = uri.find("://");
  if (scheme == std::string::npos) return false;
  const size_t hostEnd = uri.find_first_of("/?", scheme + 3);
  const std::string authority = uri.substr(scheme + 3, hostEnd - (scheme + 3));
  const size_t at = authority.rfind('@');
  if (at != std::string::npos && authority.substr(0, at).find(':') != std::string::npos) {
    return true;
  }
  const size_t query = uri.find('?');
  if (query == std::string::npos) return false;
  const std::string rest = "&" + uri.substr(query + 1);
  return rest.find("&password=") != std::string::npos;
}

std::optional<std::string> ReadPasswordFile(const std::string& path, std::string& error) {
  std::ifstream in(path);
  std::string line;
  if (!in || !std::getline(in, line)) {
    error = "cannot read the password file " + path;
    return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args,
                                                std::string& error) {
  ServerOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> inlineValue;
    if (const size_t eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    if (name == "--help" || name == "-h" || name == "--version" || name == "--proven-only") {
      if (inlineValue) {
        error = name + " takes no value";
        return std::nullopt;
      }
      (name == "--version"       ? options.version
       : name == "--proven-only" ? options.limits.provenOnly
                                 : options.help) = true;
      continue;
    }
    static const char* const kValued[] = {"--port",
                                          "--bind",
                                          "--db",
                                          "--db-password-file",
                                          "--db-timeout",
                                          "--submissions-per-minute",
                                          "--checks-per-minute",
                                          "--max-scores",
                                          "--trusted-proxy",
                                          "--connections-per-client",
                                          "--threads",
                                          "--game-data",
                                          "--web",
                                          "--verify-workers",
                                          "--verify-queue",
                                          "--verify-seconds",
                                          "--verify-memory"};
    if (std::find(std::begin(kValued), std::end(kValued), name) == std::end(kValued)) {
      error = name.starts_with("-") ? "unknown option " + name : "unknown argument " + name;
      return std::nullopt;
    }
    if (!inlineValue && i + 1 >= args.size()) {
      error = name + " needs a value";
      return std::nullopt;
    }
    const std::string value = inlineValue ? *inlineValue : args[++i];
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
      if (!IsAddress(value)) {
        error = "--bind needs a numeric IPv4 or IPv6 address, not '" + value + "'";
        return std::nullopt;
      }
      options.bind = value;
    } else if (name == "--db") {
      if (value.empty()) {
        error = "--db needs a file name or a postgresql:// URI";
        return std::nullopt;
      }
      if (UriHoldsPassword(value)) {
        error =
            "--db must not hold the password, which anyone could read in the process list: "
            "use --db-password-file, PGPASSWORD or a password file (PGPASSFILE, ~/.pgpass)";
        return std::nullopt;
      }
      options.store.where = value;
    } else if (name == "--db-password-file") {
      options.passwordFile = value;
    } else if (name == "--db-timeout") {
      if (!numeric(1, 3600)) return std::nullopt;
      options.store.timeoutSeconds = static_cast<int>(number);
    } else if (name == "--submissions-per-minute") {
      if (!numeric(1, 1'000'000)) return std::nullopt;
      options.limits.submissionsPerMinute = static_cast<int>(number);
    } else if (name == "--checks-per-minute") {
      if (!numeric(1, 1'000'000)) return std::nullopt;
      options.limits.checksPerMinute = static_cast<int>(number);
    } else if (name == "--max-scores") {
      if (!numeric(1, 1'000'000'000)) return std::nullopt;
      options.limits.maxScores = number;
    } else if (name == "--trusted-proxy") {
      if (!IsAddress(value)) {
        error = "--trusted-proxy needs a numeric IPv4 or IPv6 address, not '" + value + "'";
        return std::nullopt;
      }
      // As the server spells a peer's address, so the two compare equal.
      options.http.trustedProxies.push_back(ForwardedClient(value).value_or(value));
    } else if (name == "--connections-per-client") {
      if (!numeric(1, 100'000)) return std::nullopt;
      options.http.watch.perKey = static_cast<int>(number);
    } else if (name == "--threads") {
      if (!numeric(1, 64)) return std::nullopt;
      options.http.threads = static_cast<int>(number);
    } else if (name == "--game-data") {
      if (value.empty()) {
        error = "--game-data needs a folder";
        return std::nullopt;
      }
      options.gameData = value;
    } else if (name == "--web") {
      if (value.empty()) {
        error = "--web needs a folder";
        return std::nullopt;
      }
      options.webFolder = value;
    } else if (name == "--verify-workers") {
      if (!numeric(1, 64)) return std::nullopt;
      options.verify.workers = static_cast<int>(number);
    } else if (name == "--verify-queue") {
      if (!numeric(1, 100'000)) return std::nullopt;
      options.verify.queueLimit = static_cast<size_t>(number);
    } else if (name == "--verify-seconds") {
      if (!numeric(1, 3600)) return std::nullopt;
      options.verify.limits.cpuSeconds = static_cast<int>(number);
      options.verify.limits.wall = std::chrono::seconds(2 * number);
    } else if (name == "--verify-memory") {
      if (!numeric(64, 1'000'000)) return std::nullopt;
      options.verify.limits.memoryBytes = number << 20U;
    }
  }
  return options;
}

}  // namespace brinecast::scores
