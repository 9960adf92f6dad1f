// Where the server keeps its one-time tokens and its scores: one small interface, with
// SQLite and PostgreSQL behind it. Failures of the database throw std::runtime_error.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace brinecast::scores {

struct ScoreEntry {
  std::string name;  // UTF-8
  int64_t score = 0;
  std::string text;  // UTF-8
  int64_t time = 0;  // seconds since 1970
  std::string address;
};

class ScoreStore {
 public:
  virtual ~ScoreStore() = default;

  virtual void AddToken(const std::string& token, const std::string& address, int64_t issued) = 0;
  virtual void DropTokensIssuedBefore(int64_t issued) = 0;
  virtual int64_t CountTokens() = 0;
  virtual int64_t CountTokensSince(const std::string& address, int64_t since) = 0;

  // Uses up the token, if it is known and was issued at `issuedSince` or later, and
  // stores the entry: both or neither. False when the token was not there to use.
  virtual bool StoreWithToken(const std::string& token, int64_t issuedSince,
                              const ScoreEntry& entry) = 0;
  virtual int64_t CountScores() = 0;
  virtual int64_t CountScoresSince(const std::string& address, int64_t since) = 0;
  // Best first; among equal scores the earlier one first.
  virtual std::vector<ScoreEntry> Top(int limit) = 0;
};

// "postgresql://..." or "postgres://..." opens PostgreSQL; anything else is a SQLite file,
// created with its tables on first use.
std::unique_ptr<ScoreStore> OpenScoreStore(const std::string& where);

}  // namespace brinecast::scores
