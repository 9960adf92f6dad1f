// The shared store: PostgreSQL through libpq, so several server processes can use one
// database. One connection per process, shared under a lock.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "scores/ScoreStore.h"

struct pg_conn;
struct pg_result;

namespace brinecast::scores {

class PostgresStore : public ScoreStore {
 public:
  // A libpq connection string or URI.
  explicit PostgresStore(const std::string& conninfo);
  ~PostgresStore() override;
  PostgresStore(const PostgresStore&) = delete;
  PostgresStore& operator=(const PostgresStore&) = delete;

  void AddToken(const std::string& token, const std::string& address, int64_t issued) override;
  void DropTokensIssuedBefore(int64_t issued) override;
  int64_t CountTokens() override;
  int64_t CountTokensSince(const std::string& address, int64_t since) override;
  bool StoreWithToken(const std::string& token, int64_t issuedSince,
                      const ScoreEntry& entry) override;
  int64_t CountScores() override;
  int64_t CountScoresSince(const std::string& address, int64_t since) override;
  std::vector<ScoreEntry> Top(int limit) override;

 private:
  struct Result;
  Result Run(const char* sql, const std::vector<std::string>& params);
  int64_t Count(const char* sql, const std::vector<std::string>& params);
  std::mutex mutex_;
  pg_conn* conn_ = nullptr;
};

}  // namespace brinecast::scores
