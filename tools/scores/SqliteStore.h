// The embedded store: one SQLite file in WAL mode, one connection shared under a lock.
#pragma once

#include <mutex>
#include <string>

#include "scores/ScoreStore.h"

struct sqlite3;

namespace brinecast::scores {

class SqliteStore : public ScoreStore {
 public:
  explicit SqliteStore(const std::string& path);
  ~SqliteStore() override;
  SqliteStore(const SqliteStore&) = delete;
  SqliteStore& operator=(const SqliteStore&) = delete;

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
  void Exec(const char* sql);
  std::mutex mutex_;
  sqlite3* db_ = nullptr;
};

}  // namespace brinecast::scores
