// Command-line parsing from one table of options: "--name value" or "--name=value", numbers
// checked against sane ranges, flags taking no value.
#include "scores/admin/ServerOptions.h"

#include <arpa/inet.h>

#include <charconv>
#include <fstream>

#include "scores/http/ClientAddress.h"

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
         "       brinecast-scores verify [OPTION]...   verifies recordings, serves nothing\n"
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
         "  --uploads-per-client N    recordings received at once per address or IPv6 /64\n"
         "                            (default 4, of 32)\n"
         "  --threads N               HTTP event threads (default 2)\n"
         "  --game-data DIR           the game's folder holding Data/, to verify recordings\n"
         "                            (default: the installed game's); without it recordings\n"
         "                            are not taken\n"
         "  --proven-only             the world page shows only proven scores\n"
         "  --web DIR                 the built browser game to serve at /play/ (default:\n"
         "                            the installed brinecast-web's, when there is one)\n"
         "  --verify-workers N        recordings verified at once (default 1; 0: taken\n"
         "                            here, verified by other servers or verifiers)\n"
         "  --verify-queue N          recordings waiting at most (default 16)\n"
         "  --verify-share N          of them from one address or IPv6 /64, over every\n"
         "                            server on the database (default 4)\n"
         "  --verify-seconds N        CPU seconds one verification may take (default 30;\n"
         "                            twice that on the clock)\n"
         "  --verify-memory MB        memory one verification may take (default 512)\n"
         "  --verify-wait-minutes N   a recording not verified within N minutes is refused\n"
         "                            and dropped (default 60)\n"
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

namespace {

// What an option does with its value (empty for a flag): the problem, when the value will not
// do.
using OptionAction = std::optional<std::string> (*)(std::string_view name, const std::string& value,
                                                    ServerOptions&);

struct OptionRow {
  std::string_view name;
  bool takesValue;  // as "--name VALUE" or "--name=VALUE"
  OptionAction action;
};

// A number option: its range, and where the number goes.
struct NumberRow {
  std::string_view name;
  int64_t low;
  int64_t high;
  void (*set)(int64_t number, ServerOptions&);
};

constexpr NumberRow kNumbers[] = {
    {"--port", 1, 65535, [](int64_t n, ServerOptions& o) { o.port = static_cast<int>(n); }},
    {"--db-timeout", 1, 3600,
     [](int64_t n, ServerOptions& o) { o.store.timeoutSeconds = static_cast<int>(n); }},
    {"--submissions-per-minute", 1, 1'000'000,
     [](int64_t n, ServerOptions& o) { o.limits.submissionsPerMinute = static_cast<int>(n); }},
    {"--checks-per-minute", 1, 1'000'000,
     [](int64_t n, ServerOptions& o) { o.limits.checksPerMinute = static_cast<int>(n); }},
    {"--max-scores", 1, 1'000'000'000, [](int64_t n, ServerOptions& o) { o.limits.maxScores = n; }},
    {"--connections-per-client", 1, 100'000,
     [](int64_t n, ServerOptions& o) { o.http.watch.perKey = static_cast<int>(n); }},
    {"--uploads-per-client", 1, 1000,
     [](int64_t n, ServerOptions& o) { o.http.uploadsPerClient = static_cast<int>(n); }},
    {"--threads", 1, 64, [](int64_t n, ServerOptions& o) { o.http.threads = static_cast<int>(n); }},
    {"--verify-workers", 0, 64,
     [](int64_t n, ServerOptions& o) { o.verify.workers = static_cast<int>(n); }},
    {"--verify-queue", 1, 100'000,
     [](int64_t n, ServerOptions& o) { o.verify.queueLimit = static_cast<size_t>(n); }},
    {"--verify-share", 1, 100'000,
     [](int64_t n, ServerOptions& o) { o.verify.senderShare = static_cast<size_t>(n); }},
    {"--verify-seconds", 1, 3600,
     [](int64_t n, ServerOptions& o) {
       o.verify.limits.cpuSeconds = static_cast<int>(n);
       o.verify.limits.wall = std::chrono::seconds(2 * n);
     }},
    {"--verify-memory", 64, 1'000'000,
     [](int64_t n, ServerOptions& o) { o.verify.limits.memoryBytes = n << 20U; }},
    {"--verify-wait-minutes", 1, 10'000'000,
     [](int64_t n, ServerOptions& o) { o.verify.waitingMinutes = n; }},
};

std::optional<std::string> SetNumber(std::string_view name, const std::string& value,
                                     ServerOptions& options) {
  for (const NumberRow& row : kNumbers) {
    if (row.name != name) continue;
    int64_t number = 0;
    if (!ParseNumber(value, row.low, row.high, number)) {
      return std::string(name) + " must be a number from " + std::to_string(row.low) + " to " +
             std::to_string(row.high) + ", not '" + value + "'";
    }
    row.set(number, options);
  }
  return std::nullopt;
}

std::optional<std::string> SetFlag(std::string_view name, const std::string&,
                                   ServerOptions& options) {
  (name == "--version"       ? options.version
   : name == "--proven-only" ? options.limits.provenOnly
                             : options.help) = true;
  return std::nullopt;
}

std::optional<std::string> SetBind(std::string_view, const std::string& value,
                                   ServerOptions& options) {
  if (!IsAddress(value)) return "--bind needs a numeric IPv4 or IPv6 address, not '" + value + "'";
  options.bind = value;
  return std::nullopt;
}

std::optional<std::string> SetDb(std::string_view, const std::string& value,
                                 ServerOptions& options) {
  if (value.empty()) return "--db needs a file name or a postgresql:// URI";
  if (UriHoldsPassword(value)) {
    return "--db must not hold the password, which anyone could read in the process list: "
           "use --db-password-file, PGPASSWORD or a password file (PGPASSFILE, ~/.pgpass)";
  }
  options.store.where = value;
  return std::nullopt;
}

std::optional<std::string> SetPasswordFile(std::string_view, const std::string& value,
                                           ServerOptions& options) {
  options.passwordFile = value;
  return std::nullopt;
}

std::optional<std::string> AddTrustedProxy(std::string_view, const std::string& value,
                                           ServerOptions& options) {
  if (!IsAddress(value)) {
    return "--trusted-proxy needs a numeric IPv4 or IPv6 address, not '" + value + "'";
  }
  // As the server spells a peer's address, so the two compare equal.
  options.http.trustedProxies.push_back(ForwardedClient(value).value_or(value));
  return std::nullopt;
}

std::optional<std::string> SetFolder(std::string_view name, const std::string& value,
                                     ServerOptions& options) {
  if (value.empty()) return std::string(name) + " needs a folder";
  (name == "--web" ? options.webFolder : options.gameData) = value;
  return std::nullopt;
}

constexpr OptionRow kOptions[] = {
    {"--help", false, SetFlag},
    {"-h", false, SetFlag},
    {"--version", false, SetFlag},
    {"--proven-only", false, SetFlag},
    {"--port", true, SetNumber},
    {"--bind", true, SetBind},
    {"--db", true, SetDb},
    {"--db-password-file", true, SetPasswordFile},
    {"--db-timeout", true, SetNumber},
    {"--submissions-per-minute", true, SetNumber},
    {"--checks-per-minute", true, SetNumber},
    {"--max-scores", true, SetNumber},
    {"--trusted-proxy", true, AddTrustedProxy},
    {"--connections-per-client", true, SetNumber},
    {"--uploads-per-client", true, SetNumber},
    {"--threads", true, SetNumber},
    {"--game-data", true, SetFolder},
    {"--web", true, SetFolder},
    {"--verify-workers", true, SetNumber},
    {"--verify-queue", true, SetNumber},
    {"--verify-share", true, SetNumber},
    {"--verify-seconds", true, SetNumber},
    {"--verify-memory", true, SetNumber},
    {"--verify-wait-minutes", true, SetNumber},
};

const OptionRow* FindOption(std::string_view name) {
  for (const OptionRow& row : kOptions) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

}  // namespace

bool OptionTakesValue(std::string_view argument) {
  const OptionRow* row = FindOption(argument);
  return row && row->takesValue;
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
    const OptionRow* row = FindOption(name);
    if (!row) {
      error = name.starts_with("-") ? "unknown option " + name : "unknown argument " + name;
      return std::nullopt;
    }
    if (!row->takesValue && inlineValue) {
      error = name + " takes no value";
      return std::nullopt;
    }
    if (row->takesValue && !inlineValue && i + 1 >= args.size()) {
      error = name + " needs a value";
      return std::nullopt;
    }
    const std::string value = !row->takesValue ? std::string()
                              : inlineValue    ? *inlineValue
                                               : args[++i];
    if (std::optional<std::string> problem = row->action(row->name, value, options)) {
      error = std::move(*problem);
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace brinecast::scores
