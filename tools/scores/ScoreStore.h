// Where the server keeps its scores, the tokens already used, banned names and its secret:
// one small interface, with SQLite and PostgreSQL behind it. Failures of the database throw
// std::runtime_error.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace brinecast::scores {

// The schema this build writes; older ones are upgraded when opened.
inline constexpr int kSchemaVersion = 2;

struct ScoreEntry {
  std::string name;  // UTF-8
  int64_t score = 0;
  std::string text;  // UTF-8
  int64_t time = 0;  // seconds since 1970
  std::string address;
};

struct StoredScore {
  int64_t id = 0;
  ScoreEntry entry;
};

// What a submission must satisfy, checked and recorded in one step.
struct SubmitRules {
  std::string limitKey;      // the client's address or IPv6 /64
  int perMinute = 10;        // scores from one key within the last minute
  int64_t maxScores = 0;     // the table keeps this many best scores
  int64_t tokenExpires = 0;  // the used token is remembered until then
};

enum class SubmitOutcome { kStored, kTokenUsed, kTooMany, kBelowTable, kBanned };

class ScoreStore {
 public:
  virtual ~ScoreStore() = default;

  // Stores `entry` unless the token was used before, the key has sent its share this minute,
  // the name is banned, or the table is full and the score would not be among its best; a
  // score that enters the best pushes out the worst. Nothing is changed unless it is stored.
  virtual SubmitOutcome Submit(const std::string& token, const SubmitRules& rules,
                               const ScoreEntry& entry) = 0;
  virtual int64_t CountScores() = 0;
  // Best first; among equal scores the earlier one first.
  virtual std::vector<ScoreEntry> Top(int limit) = 0;
  // The signing secret, made and kept on first use; every server on one database shares it.
  virtual std::string Secret() = 0;
  virtual int SchemaVersion() = 0;
  // Throws when the database does not answer.
  virtual void Ping() = 0;

  // For the admin commands: best first, with ids.
  virtual std::vector<StoredScore> List(int64_t limit) = 0;
  virtual bool Remove(int64_t id) = 0;
  // Bans the name (compared exactly) and removes its scores; how many went.
  virtual int64_t Ban(const std::string& name) = 0;
  // A consistent copy of a live database in `path`.
  virtual void Backup(const std::string& path) = 0;
};

struct StoreSettings {
  std::string where;       // a SQLite file, or a postgresql:// URI
  std::string password;    // for PostgreSQL, when not in the environment's or libpq's files
  int timeoutSeconds = 5;  // connecting and each statement, PostgreSQL only
  int connections = 4;     // PostgreSQL pool size
};

// "postgresql://..." or "postgres://..." opens PostgreSQL; anything else is a SQLite file,
// created with its tables on first use.
std::unique_ptr<ScoreStore> OpenScoreStore(const StoreSettings& settings);
inline std::unique_ptr<ScoreStore> OpenScoreStore(const std::string& where) {
  StoreSettings settings;
  settings.where = where;
  return OpenScoreStore(settings);
}

}  // namespace brinecast::scores
