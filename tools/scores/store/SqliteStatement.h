// One prepared SQLite statement, finalised on every path out, and its errors as exceptions.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace brinecast::scores {

[[noreturn]] inline void SqliteFail(sqlite3* db, const std::string& what) {
  throw std::runtime_error("sqlite: " + what + ": " + (db ? sqlite3_errmsg(db) : "no database"));
}

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) SqliteFail(db, "prepare");
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, const std::string& text) {
    Check(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT));
    return *this;
  }
  Statement& BindBlob(int index, const std::string& bytes) {
    Check(sqlite3_bind_blob64(stmt_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT));
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
    if (code != SQLITE_DONE) SqliteFail(db_, "step");
    return false;
  }
  int64_t Int(int column) { return sqlite3_column_int64(stmt_, column); }
  int Columns() { return sqlite3_column_count(stmt_); }
  // Any column's bytes: a blob's as stored, anything else's as text (NULL as empty).
  std::string Blob(int column) {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    return bytes ? std::string(bytes, static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
                 : std::string();
  }
  std::string Text(int column) {
    const auto* text = sqlite3_column_text(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
                : std::string();
  }

 private:
  void Check(int code) {
    if (code != SQLITE_OK) SqliteFail(db_, "bind");
  }
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace brinecast::scores
