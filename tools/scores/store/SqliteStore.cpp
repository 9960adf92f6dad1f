// SQLite: statements prepared per call (the server's rates do not need more), a write
// transaction begun IMMEDIATE so it holds the file's write lock from its first statement.
#include "scores/store/SqliteStore.h"

#include <sqlite3.h>

#include <mutex>
#include <stdexcept>

#include "scores/store/SqliteStatement.h"

namespace brinecast::scores {

namespace {

constexpr SqlDialect kSqlite = {
    .numberedPlaceholders = false,
    .begin = "BEGIN IMMEDIATE",
    .writeLock = "",
    .upgradeLock = "",
    .tableExists = "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?",
    .columnExists = "SELECT 1 FROM pragma_table_info(?) WHERE name = ?",
    .skipLocked = "",
    .nowSeconds = "CAST(strftime('%s', 'now') AS INTEGER)",
    .idType = "INTEGER PRIMARY KEY",
    .integerType = "INTEGER",
    .boolType = "INTEGER",
    .falseValue = "0",
    .bytesType = "BLOB",
    .valueType = "",
};

}  // namespace

class SqliteStore::Database : public SqlDatabase {
 public:
  explicit Database(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
      const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw std::runtime_error("cannot open " + path + ": " + message);
    }
    // Other processes on the same file (an admin command, a backup) wait their turn.
    sqlite3_busy_timeout(db_, 5000);
  }
  ~Database() override { sqlite3_close(db_); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  std::unique_ptr<SqlSession> Open() override;
  const SqlDialect& Dialect() const override { return kSqlite; }
  sqlite3* db() { return db_; }
  std::mutex& mutex() { return mutex_; }

 private:
  std::mutex mutex_;
  sqlite3* db_ = nullptr;
};

// The one connection, held for the session's life.
class SqliteStore::Session : public SqlSession {
 public:
  explicit Session(Database& database) : db_(database.db()), lock_(database.mutex()) {}
  ~Session() override { RollBackIfOpen(); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  SqlRows Run(std::string_view sql, const std::vector<SqlValue>& parameters) override {
    Statement statement(db_, std::string(sql).c_str());
    for (size_t i = 0; i < parameters.size(); ++i) {
      const int index = static_cast<int>(i) + 1;
      const SqlValue& value = parameters[i];
      if (const auto* number = std::get_if<int64_t>(&value)) statement.Bind(index, *number);
      if (const auto* text = std::get_if<std::string>(&value)) statement.Bind(index, *text);
      if (const auto* bytes = std::get_if<SqlBytes>(&value))
        statement.BindBlob(index, bytes->bytes);
      if (const auto* truth = std::get_if<bool>(&value)) statement.Bind(index, int64_t{*truth});
    }
    SqlRows rows;
    while (statement.Step()) {
      std::vector<std::string>& row = rows.cells.emplace_back();
      for (int column = 0; column < statement.Columns(); ++column) {
        row.push_back(statement.Blob(column));
      }
    }
    return rows;
  }

 private:
  sqlite3* db_;
  std::lock_guard<std::mutex> lock_;
};

std::unique_ptr<SqlSession> SqliteStore::Database::Open() {
  return std::make_unique<Session>(*this);
}

SqliteStore::SqliteStore(const std::string& path)
    : SqlScoreStore(std::make_unique<Database>(path)) {
  try {
    {
      const std::unique_ptr<SqlSession> session = database().Open();
      session->Run("PRAGMA journal_mode=WAL");
      session->Run("PRAGMA synchronous=NORMAL");
    }
    Upgrade();
  } catch (const std::exception& e) {
    throw std::runtime_error("cannot use " + path + ": " + e.what());
  }
}

SqliteStore::Database& SqliteStore::sqlite() {
  return static_cast<Database&>(database());
}

void SqliteStore::Backup(const std::string& path) {
  sqlite3* target = nullptr;
  if (sqlite3_open_v2(path.c_str(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    const std::string message = target ? sqlite3_errmsg(target) : "out of memory";
    sqlite3_close(target);
    throw std::runtime_error("cannot write " + path + ": " + message);
  }
  std::lock_guard lock(sqlite().mutex());
  sqlite3_backup* backup = sqlite3_backup_init(target, "main", sqlite().db(), "main");
  const int code = backup ? sqlite3_backup_step(backup, -1) : SQLITE_ERROR;
  if (backup) sqlite3_backup_finish(backup);
  const std::string message = sqlite3_errmsg(target);
  sqlite3_close(target);
  if (code != SQLITE_DONE) throw std::runtime_error("backup to " + path + " failed: " + message);
}

}  // namespace brinecast::scores
