// What the server answers, apart from HTTP: the token check, the submission with its
// limits, and the pages. Safe to call from many threads at once.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "scores/ScoreStore.h"

namespace brinecast::scores {

inline constexpr std::string_view kServerVersion = "1.0";

struct ServiceLimits {
  int64_t tokenLifetime = 600;  // seconds
  int checksPerMinute = 60;     // per address
  int submissionsPerMinute = 10;
  int64_t maxScores = 1'000'000;  // keeps the database's size bounded
  int64_t maxTokens = 100'000;
};

struct Reply {
  int status = 200;
  std::string body;
  std::string contentType = "text/plain; charset=utf-8";
};

class ScoreService {
 public:
  using Clock = std::function<int64_t()>;  // seconds since 1970
  ScoreService(ScoreStore& store, ServiceLimits limits, Clock clock);

  Reply Check(const std::string& address);
  Reply Submit(std::string_view encoded, const std::string& address);
  Reply World();
  Reply Home();

 private:
  ScoreStore& store_;
  ServiceLimits limits_;
  Clock clock_;
};

// A token nobody can guess: letters and digits from the system's random source.
std::string NewToken();

}  // namespace brinecast::scores
