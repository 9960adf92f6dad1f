// SQLite store: statements prepared per call (the server's rates do not need more), every
// submission one immediate transaction, so its checks and its writes cannot interleave with
// another's. The count of scores is kept in the meta table beside them.
#include "scores/store/SqliteStore.h"

#include <sqlite3.h>

#include <stdexcept>

#include "scores/store/SqliteStatement.h"
#include "scores/store/TokenSigner.h"

namespace brinecast::scores {

namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value NOT NULL);"
    "CREATE TABLE IF NOT EXISTS scores(id INTEGER PRIMARY KEY, name TEXT NOT NULL, "
    "score INTEGER NOT NULL, text TEXT NOT NULL, time INTEGER NOT NULL, "
    "address TEXT NOT NULL, client TEXT NOT NULL DEFAULT '', upload_token TEXT, "
    "upload_until INTEGER NOT NULL DEFAULT 0, proven INTEGER NOT NULL DEFAULT 0);"
    "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores(score DESC, time, id);"
    "CREATE INDEX IF NOT EXISTS scores_by_upload_token ON scores(upload_token);"
    "CREATE INDEX IF NOT EXISTS scores_by_client ON scores(client, time);"
    "CREATE INDEX IF NOT EXISTS scores_by_name ON scores(name);"
    "CREATE TABLE IF NOT EXISTS used_tokens(token TEXT PRIMARY KEY, expires INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS used_tokens_by_expiry ON used_tokens(expires);"
    "CREATE TABLE IF NOT EXISTS banned(name TEXT PRIMARY KEY);"
    "CREATE TABLE IF NOT EXISTS recordings(score_id INTEGER PRIMARY KEY, data BLOB NOT NULL, "
    "received INTEGER NOT NULL, state TEXT NOT NULL DEFAULT 'waiting', "
    "reason TEXT NOT NULL DEFAULT '', game TEXT);"
    "CREATE INDEX IF NOT EXISTS recordings_by_state ON recordings(state, received);"
    "CREATE UNIQUE INDEX IF NOT EXISTS recordings_by_game ON recordings(game) "
    "WHERE game IS NOT NULL;";

// A score's recording goes with it.
void ForgetRecording(sqlite3* db, int64_t id) {
  Statement(db, "DELETE FROM recordings WHERE score_id = ?").Bind(1, id).Step();
}

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
// the used ones, banned names, the secret and the count, and a limit key per score; version
// 3 keeps recordings and which scores they prove.
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
    if (version == 1 || version == 2) {
      Exec(
          "ALTER TABLE scores ADD COLUMN upload_token TEXT;"
          "ALTER TABLE scores ADD COLUMN upload_until INTEGER NOT NULL DEFAULT 0;"
          "ALTER TABLE scores ADD COLUMN proven INTEGER NOT NULL DEFAULT 0;");
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
      ForgetRecording(db_, worst.Int(0));
      AddToCount(db_, -1);
    }
    Statement(db_,
              "INSERT INTO scores(name, score, text, time, address, client, upload_token, "
              "upload_until) VALUES(?, ?, ?, ?, ?, ?, ?, ?)")
        .Bind(1, entry.name)
        .Bind(2, entry.score)
        .Bind(3, entry.text)
        .Bind(4, entry.time)
        .Bind(5, entry.address)
        .Bind(6, rules.limitKey)
        .Bind(7, TokenDigest(token))
        .Bind(8, rules.uploadUntil)
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
  for (StoredScore& stored : Ranked(limit, false)) entries.push_back(std::move(stored.entry));
  return entries;
}

std::vector<StoredScore> SqliteStore::Ranked(int64_t limit, bool provenOnly) {
  std::lock_guard lock(mutex_);
  Statement top(db_,
                "SELECT id, name, score, text, time, address, proven FROM scores "
                "WHERE proven >= ? ORDER BY score DESC, time, id LIMIT ?");
  top.Bind(1, int64_t{provenOnly ? 1 : 0}).Bind(2, limit);
  std::vector<StoredScore> entries;
  while (top.Step()) {
    entries.push_back(
        {top.Int(0),
         {top.Text(1), top.Int(2), top.Text(3), top.Int(4), top.Text(5), top.Int(6) != 0}});
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
    ForgetRecording(db_, id);
    AddToCount(db_, -1);
    return true;
  });
}

int64_t SqliteStore::Ban(const std::string& name) {
  std::lock_guard lock(mutex_);
  int64_t removed = 0;
  Transaction([&] {
    Statement(db_, "INSERT OR IGNORE INTO banned(name) VALUES(?)").Bind(1, name).Step();
    Statement(db_,
              "DELETE FROM recordings WHERE score_id IN (SELECT id FROM scores WHERE name = ?)")
        .Bind(1, name)
        .Step();
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

UploadResult SqliteStore::StoreRecording(const std::string& tokenDigest, int64_t now,
                                         const std::string& bytes) {
  std::lock_guard lock(mutex_);
  UploadResult result;
  Transaction([&] {
    Statement row(db_,
                  "SELECT id, upload_until FROM scores WHERE upload_token = ? "
                  "ORDER BY id DESC LIMIT 1");
    if (!row.Bind(1, tokenDigest).Step()) return false;
    result.id = row.Int(0);
    if (row.Int(1) < now) {
      result.outcome = UploadOutcome::kExpired;
      return false;
    }
    Statement(db_, "INSERT OR IGNORE INTO recordings(score_id, data, received) VALUES(?, ?, ?)")
        .Bind(1, result.id)
        .BindBlob(2, bytes)
        .Bind(3, now)
        .Step();
    result.outcome =
        sqlite3_changes(db_) == 1 ? UploadOutcome::kStored : UploadOutcome::kAlreadySent;
    return result.outcome == UploadOutcome::kStored;
  });
  return result;
}

std::vector<int64_t> SqliteStore::WaitingRecordings() {
  std::lock_guard lock(mutex_);
  Statement waiting(db_,
                    "SELECT score_id FROM recordings WHERE state = 'waiting' "
                    "ORDER BY received, score_id");
  std::vector<int64_t> ids;
  while (waiting.Step()) ids.push_back(waiting.Int(0));
  return ids;
}

std::optional<WaitingRecording> SqliteStore::RecordingToVerify(int64_t id) {
  std::lock_guard lock(mutex_);
  Statement query(
      db_,
      "SELECT s.name, s.score, s.text, s.time, s.address, r.data FROM recordings r "
      "JOIN scores s ON s.id = r.score_id WHERE r.score_id = ? AND r.state = 'waiting'");
  if (!query.Bind(1, id).Step()) return std::nullopt;
  return WaitingRecording{
      id, {query.Text(0), query.Int(1), query.Text(2), query.Int(3), query.Text(4)}, query.Blob(5)};
}

bool SqliteStore::SaveVerdict(int64_t id, const RecordingVerdict& verdict) {
  std::lock_guard lock(mutex_);
  bool proven = false;
  Transaction([&] {
    Statement waiting(db_, "SELECT 1 FROM recordings WHERE score_id = ? AND state = 'waiting'");
    if (!waiting.Bind(1, id).Step()) return false;
    std::string reason = verdict.reason;
    proven = verdict.proven;
    if (proven) {
      Statement other(db_, "SELECT score_id FROM recordings WHERE game = ? AND score_id != ?");
      if (other.Bind(1, verdict.game).Bind(2, id).Step()) {
        proven = false;
        reason = "the same game already proves score " + std::to_string(other.Int(0));
      }
    }
    Statement(db_,
              "UPDATE recordings SET state = ?, reason = ?, game = NULLIF(?, '') "
              "WHERE score_id = ?")
        .Bind(1, std::string(proven ? "proven" : "unproven"))
        .Bind(2, reason)
        .Bind(3, proven ? verdict.game : std::string())
        .Bind(4, id)
        .Step();
    Statement(db_, "UPDATE scores SET proven = ? WHERE id = ?")
        .Bind(1, int64_t{proven ? 1 : 0})
        .Bind(2, id)
        .Step();
    return true;
  });
  return proven;
}

std::optional<std::string> SqliteStore::ProvenRecording(int64_t id) {
  std::lock_guard lock(mutex_);
  Statement query(db_, "SELECT data FROM recordings WHERE score_id = ? AND state = 'proven'");
  if (!query.Bind(1, id).Step()) return std::nullopt;
  return query.Blob(0);
}

}  // namespace brinecast::scores
