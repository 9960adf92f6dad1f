// SQLite store: statements prepared per call (the server's rates do not need more), every
// submission one immediate transaction, so its checks and its writes cannot interleave with
// another's. The count of scores is kept in the meta table beside them.
#include "scores/SqliteStore.h"

#include <sqlite3.h>

#include <stdexcept>

#include "scores/SqliteStatement.h"
#include "scores/TokenSigner.h"

namespace brinecast::scores {

namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value NOT NULL);"
    "CREATE TABLE IF NOT EXISTS scores(id INTEGER PRIMARY KEY, name TEXT NOT NULL, "
    "score INTEGER NOT NULL, text TEXT NOT NULL, time INTEGER NOT NULL, "
    "address TEXT NOT NULL, client TEXT NOT NULL DEFAULT '');"
    "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores(score DESC, time, id);"
    "CREATE INDEX IF NOT EXISTS scores_by_client ON scores(client, time);"
    "CREATE INDEX IF NOT EXISTS scores_by_name ON scores(name);"
    "CREATE TABLE IF NOT EXISTS used_tokens(token TEXT PRIMARY KEY, expires INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS used_tokens_by_expiry ON used_tokens(expires);"
    "CREATE TABLE IF NOT EXISTS banned(name TEXT PRIMARY KEY);";

bool HasTable(sqlite3* db, const char* name) {
  Statement query(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
  return query.Bind(1, std::string(name)).Step();
}

int64_t MetaInt(sqlite3* db, const char* key) {
  Statement query(db, "SELECT value FROM meta WHERE key = ?");
  return query.Bind(1, std::string(key)).Step() ? query.Int(0) : 0;
}

void SetMeta(sqlite3* db, const char* key, int64_t value) {
  Statement(db, "INSERT OR REPLACE INTO meta(key, value) VALUES(?, ?)")
      .Bind(1, std::string(key))
      .Bind(2, value)
      .Step();
}

void AddToCount(sqlite3* db, int64_t change) {
  Statement(db, "UPDATE meta SET value = value + ? WHERE key = 'score_count'")
      .Bind(1, change)
      .Step();
}

}  // namespace

SqliteStore::SqliteStore(const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &db_,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                      nullptr) != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw std::runtime_error("cannot open " + path + ": " + message);
  }
  // Other processes on the same file (an admin command, a backup) wait their turn.
  sqlite3_busy_timeout(db_, 5000);
  try {
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=NORMAL");
    Upgrade();
  } catch (const std::exception& e) {
    sqlite3_close(db_);
    throw std::runtime_error("cannot use " + path + ": " + e.what());
  }
}

SqliteStore::~SqliteStore() {
  sqlite3_close(db_);
}

void SqliteStore::Exec(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message ? message : "unknown error";
    sqlite3_free(message);
    throw std::runtime_error(std::string("sqlite: ") + text);
  }
}

template <typename Body>
bool SqliteStore::Transaction(Body body) {
  Exec("BEGIN IMMEDIATE");
  try {
    const bool keep = body();
    Exec(keep ? "COMMIT" : "ROLLBACK");
    return keep;
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

// Version 1 had a table of issued tokens and no meta table; version 2 signs tokens, keeps
// the used ones, banned names, the secret and the count, and a limit key per score.
void SqliteStore::Upgrade() {
  std::lock_guard lock(mutex_);
  Transaction([this] {
    const bool hasMeta = HasTable(db_, "meta");
    const int64_t version = hasMeta ? MetaInt(db_, "schema") : HasTable(db_, "scores") ? 1 : 0;
    if (version > kSchemaVersion) {
      throw std::runtime_error("its schema version " + std::to_string(version) +
                               " is newer than this server's " + std::to_string(kSchemaVersion));
    }
    if (version == kSchemaVersion) return false;
    if (version == 1) {
      Exec(
          "ALTER TABLE scores ADD COLUMN client TEXT NOT NULL DEFAULT '';"
          "UPDATE scores SET client = address;"
          "DROP TABLE IF EXISTS tokens;"
          "DROP INDEX IF EXISTS scores_by_address;");
    }
    Exec(kSchema);
    SetMeta(db_, "schema", kSchemaVersion);
    Statement count(db_, "SELECT COUNT(*) FROM scores");
    count.Step();
    SetMeta(db_, "score_count", count.Int(0));
    return true;
  });
}

SubmitOutcome SqliteStore::Submit(const std::string& token, const SubmitRules& rules,
                                  const ScoreEntry& entry) {
  std::lock_guard lock(mutex_);
  SubmitOutcome outcome = SubmitOutcome::kStored;
  Transaction([&] {
    Statement(db_, "DELETE FROM used_tokens WHERE expires < ?").Bind(1, entry.time).Step();
    Statement banned(db_, "SELECT 1 FROM banned WHERE name = ?");
    if (banned.Bind(1, entry.name).Step()) {
      outcome = SubmitOutcome::kBanned;
      return false;
    }
    // Counting stops at the limit, so a busy client costs no more than a quiet one.
    Statement recent(db_,
                     "SELECT COUNT(*) FROM (SELECT 1 FROM scores WHERE client = ? AND time > ? "
                     "LIMIT ?)");
    recent.Bind(1, rules.limitKey).Bind(2, entry.time - 60).Bind(3, int64_t{rules.perMinute});
    if (recent.Step() && recent.Int(0) >= rules.perMinute) {
      outcome = SubmitOutcome::kTooMany;
      return false;
    }
    Statement use(db_, "INSERT OR IGNORE INTO used_tokens(token, expires) VALUES(?, ?)");
    use.Bind(1, token).Bind(2, rules.tokenExpires).Step();
    if (sqlite3_changes(db_) != 1) {
      outcome = SubmitOutcome::kTokenUsed;
      return false;
    }
    if (MetaInt(db_, "score_count") >= rules.maxScores) {
      // The newest of the lowest goes first; the new score, newest of all, must beat it.
      Statement worst(db_,
                      "SELECT id, score FROM scores ORDER BY score, time DESC, id DESC LIMIT 1");
      if (!worst.Step() || entry.score <= worst.Int(1)) {
        outcome = SubmitOutcome::kBelowTable;
        return false;
      }
      Statement(db_, "DELETE FROM scores WHERE id = ?").Bind(1, worst.Int(0)).Step();
      AddToCount(db_, -1);
    }
    Statement(db_,
              "INSERT INTO scores(name, score, text, time, address, client) "
              "VALUES(?, ?, ?, ?, ?, ?)")
        .Bind(1, entry.name)
        .Bind(2, entry.score)
        .Bind(3, entry.text)
        .Bind(4, entry.time)
        .Bind(5, entry.address)
        .Bind(6, rules.limitKey)
        .Step();
    AddToCount(db_, 1);
    return true;
  });
  return outcome;
}

int64_t SqliteStore::CountScores() {
  std::lock_guard lock(mutex_);
  return MetaInt(db_, "score_count");
}

std::vector<ScoreEntry> SqliteStore::Top(int limit) {
  std::vector<ScoreEntry> entries;
  for (StoredScore& stored : List(limit)) entries.push_back(std::move(stored.entry));
  return entries;
}

std::vector<StoredScore> SqliteStore::List(int64_t limit) {
  std::lock_guard lock(mutex_);
  Statement top(db_,
                "SELECT id, name, score, text, time, address FROM scores "
                "ORDER BY score DESC, time, id LIMIT ?");
  top.Bind(1, limit);
  std::vector<StoredScore> entries;
  while (top.Step()) {
    entries.push_back(
        {top.Int(0), {top.Text(1), top.Int(2), top.Text(3), top.Int(4), top.Text(5)}});
  }
  return entries;
}

std::string SqliteStore::Secret() {
  std::lock_guard lock(mutex_);
  std::string secret;
  Transaction([&] {
    Statement query(db_, "SELECT value FROM meta WHERE key = 'secret'");
    if (query.Step()) {
      secret = query.Text(0);
      return false;
    }
    secret = NewSecret();
    Statement(db_, "INSERT INTO meta(key, value) VALUES('secret', ?)").Bind(1, secret).Step();
    return true;
  });
  return secret;
}

int SqliteStore::SchemaVersion() {
  std::lock_guard lock(mutex_);
  return static_cast<int>(MetaInt(db_, "schema"));
}

void SqliteStore::Ping() {
  std::lock_guard lock(mutex_);
  Statement(db_, "SELECT 1").Step();
}

bool SqliteStore::Remove(int64_t id) {
  std::lock_guard lock(mutex_);
  return Transaction([&] {
    Statement(db_, "DELETE FROM scores WHERE id = ?").Bind(1, id).Step();
    if (sqlite3_changes(db_) != 1) return false;
    AddToCount(db_, -1);
    return true;
  });
}

int64_t SqliteStore::Ban(const std::string& name) {
  std::lock_guard lock(mutex_);
  int64_t removed = 0;
  Transaction([&] {
    Statement(db_, "INSERT OR IGNORE INTO banned(name) VALUES(?)").Bind(1, name).Step();
    Statement(db_, "DELETE FROM scores WHERE name = ?").Bind(1, name).Step();
    removed = sqlite3_changes(db_);
    AddToCount(db_, -removed);
    return true;
  });
  return removed;
}

void SqliteStore::Backup(const std::string& path) {
  sqlite3* target = nullptr;
  if (sqlite3_open_v2(path.c_str(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    const std::string message = target ? sqlite3_errmsg(target) : "out of memory";
    sqlite3_close(target);
    throw std::runtime_error("cannot write " + path + ": " + message);
  }
  std::lock_guard lock(mutex_);
  sqlite3_backup* backup = sqlite3_backup_init(target, "main", db_, "main");
  int code = backup ? sqlite3_backup_step(backup, -1) : SQLITE_ERROR;
  if (backup) sqlite3_backup_finish(backup);
  const std::string message = sqlite3_errmsg(target);
  sqlite3_close(target);
  if (code != SQLITE_DONE) throw std::runtime_error("backup to " + path + " failed: " + message);
}

}  // namespace brinecast::scores
