// SQLite store: statements prepared per call (the server's rates do not need more), a
// transaction around using a token and storing its score.
#include "scores/SqliteStore.h"

#include <sqlite3.h>

#include <stdexcept>

namespace brinecast::scores {

namespace {

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
  throw std::runtime_error(what + ": " + (db ? sqlite3_errmsg(db) : "no database"));
}

// One prepared statement, finalised on every path out.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) Fail(db, "prepare");
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, const std::string& text) {
    Check(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT));
    return *this;
  }
  Statement& Bind(int index, int64_t value) {
    Check(sqlite3_bind_int64(stmt_, index, value));
    return *this;
  }
  // True while a row is ready.
  bool Step() {
    const int code = sqlite3_step(stmt_);
    if (code == SQLITE_ROW) return true;
    if (code != SQLITE_DONE) Fail(db_, "step");
    return false;
  }
  int64_t Int(int column) { return sqlite3_column_int64(stmt_, column); }
  std::string Text(int column) {
    const auto* text = sqlite3_column_text(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
                : std::string();
  }

 private:
  void Check(int code) {
    if (code != SQLITE_OK) Fail(db_, "bind");
  }
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

int64_t CountOf(sqlite3* db, const char* sql) {
  Statement count(db, sql);
  count.Step();
  return count.Int(0);
}

int64_t CountOf(sqlite3* db, const char* sql, const std::string& address, int64_t since) {
  Statement count(db, sql);
  count.Bind(1, address).Bind(2, since).Step();
  return count.Int(0);
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
  // Other server processes on the same file wait their turn rather than fail.
  sqlite3_busy_timeout(db_, 5000);
  try {
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=NORMAL");
    Exec(
        "CREATE TABLE IF NOT EXISTS tokens(token TEXT PRIMARY KEY, address TEXT NOT NULL, "
        "issued INTEGER NOT NULL);"
        "CREATE INDEX IF NOT EXISTS tokens_by_address ON tokens(address, issued);"
        "CREATE INDEX IF NOT EXISTS tokens_by_age ON tokens(issued);"
        "CREATE TABLE IF NOT EXISTS scores(id INTEGER PRIMARY KEY, name TEXT NOT NULL, "
        "score INTEGER NOT NULL, text TEXT NOT NULL, time INTEGER NOT NULL, "
        "address TEXT NOT NULL);"
        "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores(score DESC, time, id);"
        "CREATE INDEX IF NOT EXISTS scores_by_address ON scores(address, time);");
  } catch (...) {
    sqlite3_close(db_);
    throw;
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

void SqliteStore::AddToken(const std::string& token, const std::string& address, int64_t issued) {
  std::lock_guard lock(mutex_);
  Statement(db_, "INSERT INTO tokens(token, address, issued) VALUES(?, ?, ?)")
      .Bind(1, token)
      .Bind(2, address)
      .Bind(3, issued)
      .Step();
}

void SqliteStore::DropTokensIssuedBefore(int64_t issued) {
  std::lock_guard lock(mutex_);
  Statement(db_, "DELETE FROM tokens WHERE issued < ?").Bind(1, issued).Step();
}

int64_t SqliteStore::CountTokens() {
  std::lock_guard lock(mutex_);
  return CountOf(db_, "SELECT COUNT(*) FROM tokens");
}

int64_t SqliteStore::CountTokensSince(const std::string& address, int64_t since) {
  std::lock_guard lock(mutex_);
  return CountOf(db_, "SELECT COUNT(*) FROM tokens WHERE address = ? AND issued >= ?", address,
                 since);
}

bool SqliteStore::StoreWithToken(const std::string& token, int64_t issuedSince,
                                 const ScoreEntry& entry) {
  std::lock_guard lock(mutex_);
  Exec("BEGIN IMMEDIATE");
  try {
    Statement use(db_, "DELETE FROM tokens WHERE token = ? AND issued >= ?");
    use.Bind(1, token).Bind(2, issuedSince).Step();
    if (sqlite3_changes(db_) != 1) {
      Exec("ROLLBACK");
      return false;
    }
    Statement(db_, "INSERT INTO scores(name, score, text, time, address) VALUES(?, ?, ?, ?, ?)")
        .Bind(1, entry.name)
        .Bind(2, entry.score)
        .Bind(3, entry.text)
        .Bind(4, entry.time)
        .Bind(5, entry.address)
        .Step();
    Exec("COMMIT");
    return true;
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

int64_t SqliteStore::CountScores() {
  std::lock_guard lock(mutex_);
  return CountOf(db_, "SELECT COUNT(*) FROM scores");
}

int64_t SqliteStore::CountScoresSince(const std::string& address, int64_t since) {
  std::lock_guard lock(mutex_);
  return CountOf(db_, "SELECT COUNT(*) FROM scores WHERE address = ? AND time >= ?", address,
                 since);
}

std::vector<ScoreEntry> SqliteStore::Top(int limit) {
  std::lock_guard lock(mutex_);
  Statement top(db_,
                "SELECT name, score, text, time, address FROM scores "
                "ORDER BY score DESC, time, id LIMIT ?");
  top.Bind(1, static_cast<int64_t>(limit));
  std::vector<ScoreEntry> entries;
  while (top.Step()) {
    entries.push_back({top.Text(0), top.Int(1), top.Text(2), top.Int(3), top.Text(4)});
  }
  return entries;
}

}  // namespace brinecast::scores
