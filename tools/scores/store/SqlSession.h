// What the store's rules need of a database: a session that runs statements with parameters,
// inside a transaction that holds the store's write lock when asked, and a dialect record for
// the little that SQLite and PostgreSQL spell differently.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brinecast::scores {

// Bytes stored as they are (a recording), as opposed to text.
struct SqlBytes {
  std::string bytes;
};
using SqlValue = std::variant<int64_t, std::string, SqlBytes, bool>;

// Every cell as text (NULL as empty), a column of bytes as its bytes.
struct SqlRows {
  std::vector<std::vector<std::string>> cells;

  int Count() const { return static_cast<int>(cells.size()); }
  const std::string& Text(int row, int column) const { return cells[row][column]; }
  int64_t Int(int row, int column) const;
  // SQLite's 1 and PostgreSQL's t.
  bool Bool(int row, int column) const;
};

struct SqlDialect {
  bool numberedPlaceholders;  // $1, $2 ... instead of ?
  std::string_view begin;     // a transaction that writes
  // Run after `begin` to keep other servers' writers out; empty when `begin` does that.
  std::string_view writeLock;
  std::string_view upgradeLock;
  std::string_view tableExists;   // one row when the table named by its parameter exists
  std::string_view columnExists;  // one row when the table has the column: (table, column)
  // Ends a query for rows to claim, so claimers pass over what another holds; empty when
  // writers take turns anyway.
  std::string_view skipLocked;
  std::string_view nowSeconds;  // the database's clock, shared by every machine using it
  // Column types: the row id, an integer, a truth value with its false, bytes, and text in a
  // column that may hold numbers too.
  std::string_view idType;
  std::string_view integerType;
  std::string_view boolType;
  std::string_view falseValue;
  std::string_view bytesType;
  std::string_view valueType;
};

// One connection for a request. A transaction begun and not committed is rolled back when
// the session ends.
class SqlSession {
 public:
  virtual ~SqlSession() = default;
  // The statement's parameters are written ?, whatever the dialect.
  virtual SqlRows Run(std::string_view sql, const std::vector<SqlValue>& parameters = {}) = 0;

  // The dialect's write transaction, holding `lock` (one of its locks, or none) once begun.
  void Begin(const SqlDialect& dialect, std::string_view lock);
  void Commit();

 protected:
  // For the back end's destructor.
  void RollBackIfOpen() noexcept;

 private:
  bool inTransaction_ = false;
};

class SqlDatabase {
 public:
  virtual ~SqlDatabase() = default;
  virtual std::unique_ptr<SqlSession> Open() = 0;
  virtual const SqlDialect& Dialect() const = 0;
};

// `sql` with its ? written $1, $2 ... (none stands in a quoted string of the store's).
std::string NumberPlaceholders(std::string_view sql);

}  // namespace brinecast::scores
